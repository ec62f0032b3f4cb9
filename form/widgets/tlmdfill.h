#pragma once

#include <QColor>
#include <QWidget>

// A section header strip: a left-aligned, vertically centred caption over a 16-band gradient.
// Each property write repaints only when the value changes.
class TLMDFill : public QWidget
{
    Q_OBJECT

public:
    explicit TLMDFill(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    QColor gradientStartColor() const { return m_startColor; }
    void setGradientStartColor(QColor color);
    QColor gradientEndColor() const { return m_endColor; }
    void setGradientEndColor(QColor color);
    QColor captionColor() const { return m_captionColor; }
    void setCaptionColor(QColor color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setColor(QColor &property, QColor value);

    QString m_caption;
    QColor m_startColor;
    QColor m_endColor;
    QColor m_captionColor;
};
