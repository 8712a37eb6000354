#include "ui/shell/SectionPlaceholder.h"

#include "app/TarnholdModel.h"
#include "ui/design/VevoPage.h"
#include "ui/design/VevoPageHeader.h"
#include "ui/design/VevoText.h"

#include <QVBoxLayout>

SectionPlaceholder::SectionPlaceholder(TarnholdModel &model, VevoAppearance &appearance, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_header(new VevoPageHeader(appearance, QStringLiteral("Velmora"), {}, {}))
{
    m_header->title()->setObjectName(QStringLiteral("sectionTitle"));
    m_header->subtitle()->setObjectName(QStringLiteral("statusTitle"));
    auto *page = new VevoPage;
    page->column()->addWidget(m_header);
    page->column()->addStretch();
    auto *fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(page);

    connect(&m_model, &TarnholdModel::selectedSectionChanged, this, &SectionPlaceholder::followSection);
    connect(&m_model, &TarnholdModel::statusChanged, this, &SectionPlaceholder::followStatus);
    followSection();
    followStatus();
}

SectionPlaceholder::~SectionPlaceholder() = default;

void SectionPlaceholder::followSection()
{
    m_header->title()->setText(title(m_model.selectedSection()));
}

void SectionPlaceholder::followStatus()
{
    const QString status = m_model.statusTitle();
    m_header->subtitle()->setText(status);
    m_header->subtitle()->setVisible(!status.isEmpty());
}
