#pragma once

#include <QWidget>

class QHBoxLayout;
class VevoAppearance;
class VevoIconTile;
class VevoProgressBar;
class VevoText;

// What a list shows while it has nothing in it: an optional icon, a title, a
// message that wraps, optionally a running progress bar, and actions below.
class VevoEmptyState final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoEmptyState)

public:
    VevoEmptyState(VevoAppearance &appearance, const QString &title, const QString &message, QWidget *parent = nullptr);
    ~VevoEmptyState() override;

    QString symbol() const;
    void setSymbol(const QString &symbol);
    VevoText *title() const { return m_title; }
    VevoText *message() const { return m_message; }
    bool showsProgress() const;
    void setShowsProgress(bool shows);
    void addAction(QWidget *action);

private:
    VevoIconTile *m_symbol;
    VevoText *m_title;
    VevoText *m_message;
    VevoProgressBar *m_progress;
    QHBoxLayout *m_actions;
};
