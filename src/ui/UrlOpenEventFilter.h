#pragma once

#include <QObject>

class TarnholdModel;

// Passes the "tarnhold:" URLs that macOS delivers as open events to the
// application on to the model.
class UrlOpenEventFilter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UrlOpenEventFilter)

public:
    explicit UrlOpenEventFilter(TarnholdModel &model, QObject *parent = nullptr);
    ~UrlOpenEventFilter() override;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TarnholdModel &m_model;
};
