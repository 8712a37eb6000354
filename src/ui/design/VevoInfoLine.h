#pragma once

#include <QWidget>

class VevoAppearance;
class VevoText;

// Two lines of text: a title and a muted detail beneath it.
class VevoInfoLine final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoInfoLine)

public:
    VevoInfoLine(VevoAppearance &appearance, const QString &title, const QString &detail, QWidget *parent = nullptr);
    ~VevoInfoLine() override;

    VevoText *title() const { return m_title; }
    VevoText *detail() const { return m_detail; }

private:
    VevoText *m_title;
    VevoText *m_detail;
};
