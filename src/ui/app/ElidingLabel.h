#pragma once

#include <QLabel>

// A status panel whose text ends in "…" where the panel is too narrow for it, with the
// whole text as its tooltip. The label's text stays whole, so assistive technology reads
// everything.
class ElidingLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The text as painted: whole, or cut with an ellipsis to the panel's width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
};
