#pragma once

#include <QWidget>

enum class Bevel;

// A plain container with a one-pixel outer bevel, raised or lowered.
class TPanel : public QWidget
{
    Q_OBJECT

public:
    TPanel(Bevel bevel, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Bevel m_bevel;
};
