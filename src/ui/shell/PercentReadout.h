#pragma once

#include <QTimer>
#include <QWidget>

class VevoAppearance;

// A progress fraction as a whole percentage ("42%"). Digits keep one width,
// so the number does not jitter as it counts, and the text is redrawn at
// most 30 times a second however often the progress moves.
class PercentReadout final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PercentReadout)

public:
    explicit PercentReadout(VevoAppearance &appearance, QWidget *parent = nullptr);
    ~PercentReadout() override;

    void setProgress(double progress);
    // The text as currently drawn.
    QString shownText() const { return m_shown; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showPending();
    double digitWidth() const;

    VevoAppearance &m_appearance;
    QTimer m_frame;
    QString m_pending;
    QString m_shown;
};
