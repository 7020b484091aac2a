// The file dialogs and error boxes of the graph program behind one interface, so that tests
// answer them without a window blocking.
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace tarsel::plotvane {

class IPlotvaneDialogs {
public:
    virtual ~IPlotvaneDialogs() = default;
    // The chosen file, or none when the user cancelled.
    virtual std::optional<QString> OpenCsv(QWidget* parent, const QString& folder) = 0;
    virtual std::optional<QString> SaveCsv(QWidget* parent, const QString& proposed) = 0;
    virtual std::optional<QString> SavePng(QWidget* parent, const QString& proposed) = 0;
    virtual void Error(QWidget* parent, const QString& caption, const QString& text) = 0;
};

class QtPlotvaneDialogs : public IPlotvaneDialogs {
public:
    std::optional<QString> OpenCsv(QWidget* parent, const QString& folder) override;
    std::optional<QString> SaveCsv(QWidget* parent, const QString& proposed) override;
    std::optional<QString> SavePng(QWidget* parent, const QString& proposed) override;
    void Error(QWidget* parent, const QString& caption, const QString& text) override;
};

}  // namespace tarsel::plotvane
