#include "ui/design/VevoAppearance.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

VevoScheme preferredScheme(const Platform &platform)
{
    return platform.prefersDarkAppearance() ? VevoScheme::dark : VevoScheme::light;
}

} // namespace

VevoAppearance::VevoAppearance(Platform &platform, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_scheme(preferredScheme(platform))
    , m_reducedMotion(platform.prefersReducedMotion())
{
    QCoreApplication::instance()->installEventFilter(this);
    m_platform.watchPreferences([this] { refresh(); });
}

VevoAppearance::~VevoAppearance()
{
    m_platform.watchPreferences({});
}

void VevoAppearance::refresh()
{
    const VevoScheme scheme = preferredScheme(m_platform);
    if (scheme != m_scheme) {
        m_scheme = scheme;
        Q_EMIT schemeChanged(m_scheme);
    }
    const bool reducedMotion = m_platform.prefersReducedMotion();
    if (reducedMotion != m_reducedMotion) {
        m_reducedMotion = reducedMotion;
        Q_EMIT reducedMotionChanged(m_reducedMotion);
    }
}

bool VevoAppearance::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange)
        refresh();
    return QObject::eventFilter(watched, event);
}
