#include "ui/shell/AlertPresenter.h"

#include <QMessageBox>

MessageBoxAlertPresenter::MessageBoxAlertPresenter(QWidget &window)
    : m_window(window)
{}

void MessageBoxAlertPresenter::present(const QString &title, const QString &message, std::function<void()> dismissed)
{
    auto *box = new QMessageBox(&m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(title);
    box->setText(message);
    box->setIcon(QMessageBox::NoIcon);
    box->addButton(QStringLiteral("OK"), QMessageBox::RejectRole);
    QObject::connect(box, &QMessageBox::finished, box, [dismissed = std::move(dismissed)] { dismissed(); });
    box->open();
}
