#pragma once

#include <QLineEdit>

class VevoAppearance;

// A single-line text field on a sunken well. Secure entry masks what is
// typed; an emphasised field keeps the accent outline even without focus.
// Submitting is QLineEdit::returnPressed. An optional icon sits inside the
// field before the text.
class VevoTextInput final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoTextInput)

public:
    explicit VevoTextInput(VevoAppearance &appearance, const QString &placeholder = {}, QWidget *parent = nullptr);
    ~VevoTextInput() override;

    bool isSecure() const { return echoMode() == QLineEdit::Password; }
    void setSecure(bool secure);
    bool isEmphasised() const { return m_emphasised; }
    void setEmphasised(bool emphasised);
    QString symbol() const { return m_symbol; }
    void setSymbol(const QString &symbol);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyScheme();

    VevoAppearance &m_appearance;
    QString m_symbol;
    bool m_emphasised = false;
};
