#pragma once

#include <QGroupBox>

// A framed group with its caption set into the top border, as a Windows group box draws it: an
// etched frame whose top line runs level with the middle of the caption and breaks off on both sides
// of it, so the caption stands on the group's own background. The caption is painted by the group,
// not carried by a child widget; screen readers read it as the group's name.
class TLMDGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit TLMDGroupBox(QWidget *parent = nullptr);

    // Where the caption stands, with the gap it leaves in the top line, in the group's coordinates.
    QRect captionRect() const;
    // The outer edge of the etched frame: its top is the top line.
    QRect borderRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
