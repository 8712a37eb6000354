#pragma once

#include <QWidget>

class TarnholdModel;
class VevoAppearance;
class VevoPageHeader;

// The selected section's page, showing its title and the installation's
// status until the section has a screen of its own.
class SectionPlaceholder final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SectionPlaceholder)

public:
    SectionPlaceholder(TarnholdModel &model, VevoAppearance &appearance, QWidget *parent = nullptr);
    ~SectionPlaceholder() override;

private:
    void followSection();
    void followStatus();

    TarnholdModel &m_model;
    VevoPageHeader *m_header;
};
