#pragma once

#include <QWidget>

class QHBoxLayout;
class VevoAppearance;
class VevoText;

// The heading block of a page: a small accent eyebrow, the title, an
// optional subtitle, and actions aligned to the right of the title.
class VevoPageHeader final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoPageHeader)

public:
    VevoPageHeader(VevoAppearance &appearance, const QString &eyebrow, const QString &title,
                   const QString &subtitle = {}, QWidget *parent = nullptr);
    ~VevoPageHeader() override;

    VevoText *eyebrow() const { return m_eyebrow; }
    VevoText *title() const { return m_title; }
    VevoText *subtitle() const { return m_subtitle; }
    void addAction(QWidget *action);

private:
    VevoText *m_eyebrow;
    VevoText *m_title;
    VevoText *m_subtitle;
    QHBoxLayout *m_actions;
};
