#include "ui/UrlOpenEventFilter.h"

#include "app/TarnholdModel.h"

#include <QFileOpenEvent>

UrlOpenEventFilter::UrlOpenEventFilter(TarnholdModel &model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{}

UrlOpenEventFilter::~UrlOpenEventFilter() = default;

bool UrlOpenEventFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FileOpen) {
        const QUrl url = static_cast<QFileOpenEvent *>(event)->url();
        if (url.scheme() == QLatin1String("tarnhold")) {
            m_model.handle(url);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
