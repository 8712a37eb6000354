#pragma once

#include <QWidget>

class VevoAppearance;
class VevoSymbol;
class VevoText;

// Two lines of text, a title and a muted detail beneath it, with an
// optional icon before them.
class VevoInfoLine final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoInfoLine)

public:
    VevoInfoLine(VevoAppearance &appearance, const QString &title, const QString &detail, QWidget *parent = nullptr);
    ~VevoInfoLine() override;

    VevoText *title() const { return m_title; }
    VevoText *detail() const { return m_detail; }
    QString symbol() const;
    void setSymbol(const QString &symbol);

private:
    VevoSymbol *m_symbol;
    VevoText *m_title;
    VevoText *m_detail;
};
