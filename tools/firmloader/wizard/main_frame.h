// The wizard's single window: four pages that replace one another.
#pragma once

#include <QMainWindow>
#include <memory>

#include "tools/firmloader/wizard/firmloader_document.h"
#include "tools/firmloader/wizard/wizard_environment.h"

class QStackedWidget;

namespace tarsel::firmware {

class CViewConnect;
class CViewSelectFile;
class CViewUpdateROM;
class CViewFinal;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum class Page { Connect, SelectFile, Update, Final };

    explicit CMainFrame(WizardEnvironment environment = {}, QWidget* parent = nullptr);
    ~CMainFrame() override;

    void ShowPage(Page page);
    Page CurrentPage() const { return page_; }

    FirmloaderDocument& Document() { return document_; }
    CViewConnect* ConnectView() const { return connect_; }
    CViewSelectFile* SelectFileView() const { return selectFile_; }
    CViewUpdateROM* UpdateView() const { return update_; }
    CViewFinal* FinalView() const { return final_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateTitle();

    WizardEnvironment environment_;
    std::unique_ptr<UserPrompt> ownPrompt_;
    FirmloaderDocument document_;
    QStackedWidget* pages_;
    CViewConnect* connect_;
    CViewSelectFile* selectFile_;
    CViewUpdateROM* update_;
    CViewFinal* final_;
    Page page_ = Page::Connect;
};

}  // namespace tarsel::firmware
