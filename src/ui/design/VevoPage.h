#pragma once

#include <QScrollArea>

class QVBoxLayout;

// A page that scrolls vertically, drawn straight on the window's canvas. Its
// content column is centred and never wider than maxWidth, so lines stay
// readable in a wide window; in a narrow one the column shrinks with it and
// nothing scrolls sideways. Screens follow vevoWidth() to choose between one
// and two columns.
class VevoPage final : public QScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoPage)

public:
    static constexpr int defaultMaxWidth = 880;

    explicit VevoPage(QWidget *parent = nullptr);
    ~VevoPage() override;

    int maxWidth() const;
    void setMaxWidth(int maxWidth);
    // The column to fill with the page's sections.
    QVBoxLayout *column() const { return m_column; }
    // The width of the column as laid out now.
    int vevoWidth() const;

Q_SIGNALS:
    void vevoWidthChanged(int width);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int sidePadding() const;

    QWidget *m_stage;
    QVBoxLayout *m_column;
};
