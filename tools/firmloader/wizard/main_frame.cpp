#include "tools/firmloader/wizard/main_frame.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QStackedWidget>

#include "tools/firmloader/wizard/about_dialog.h"
#include "tools/firmloader/wizard/view_connect.h"
#include "tools/firmloader/wizard/view_final.h"
#include "tools/firmloader/wizard/view_select_file.h"
#include "tools/firmloader/wizard/view_update_rom.h"

namespace tarsel::firmware {

CMainFrame::CMainFrame(WizardEnvironment environment, QWidget* parent)
    : QMainWindow(parent), environment_(std::move(environment)), pages_(new QStackedWidget) {
    if (!environment_.prompt) {
        ownPrompt_ = std::make_unique<DialogPrompt>();
        environment_.prompt = ownPrompt_.get();
    }
    connect_ = new CViewConnect(document_, environment_);
    selectFile_ = new CViewSelectFile(document_, environment_);
    update_ = new CViewUpdateROM(document_, environment_);
    final_ = new CViewFinal;
    pages_->addWidget(connect_);
    pages_->addWidget(selectFile_);
    pages_->addWidget(update_);
    pages_->addWidget(final_);
    setCentralWidget(pages_);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&About firmloader..."), this, GuardedSlot(this, environment_, [this] {
                        CAboutDlg about(this);
                        about.exec();
                    }));

    // Every page change opens the new page, which talks to the drive or reads files.
    const auto show = [this](Page page) {
        return GuardedSlot(this, environment_, [this, page] { ShowPage(page); });
    };
    connect(connect_, &CViewConnect::Connected, this, show(Page::SelectFile));
    connect(selectFile_, &CViewSelectFile::Prev, this, show(Page::Connect));
    connect(selectFile_, &CViewSelectFile::Next, this, show(Page::Update));
    connect(update_, &CViewUpdateROM::Prev, this, show(Page::SelectFile));
    connect(update_, &CViewUpdateROM::Finished, this, show(Page::Final));
    connect(update_, &CViewUpdateROM::ExitRequested, this, &QWidget::close);
    connect(final_, &CViewFinal::Again, this, show(Page::Connect));
    connect(final_, &CViewFinal::ExitRequested, this, &QWidget::close);

    resize(600, 380);
    ShowPage(Page::Connect);
}

CMainFrame::~CMainFrame() {
    update_->StopProcedure();
}

void CMainFrame::ShowPage(Page page) {
    if (page_ == Page::Connect && page != Page::Connect) connect_->OnLeave();
    page_ = page;
    switch (page) {
        case Page::Connect:
            pages_->setCurrentWidget(connect_);
            document_.title.clear();
            connect_->OnOpen();
            break;
        case Page::SelectFile:
            pages_->setCurrentWidget(selectFile_);
            selectFile_->OnOpen();
            break;
        case Page::Update:
            pages_->setCurrentWidget(update_);
            update_->OnOpen();
            break;
        case Page::Final:
            pages_->setCurrentWidget(final_);
            break;
    }
    UpdateTitle();
}

void CMainFrame::UpdateTitle() {
    const QString app = QCoreApplication::applicationName();
    setWindowTitle(document_.title.isEmpty() ? app : document_.title + QStringLiteral(" - ") + app);
}

// Leaving while the drive is being rewritten would leave it without firmware: the window stays
// until the procedure has ended.
void CMainFrame::closeEvent(QCloseEvent* event) {
    if (page_ == Page::Update && update_->IsRunning()) {
        event->ignore();
        return;
    }
    update_->StopProcedure();
    event->accept();
}

}  // namespace tarsel::firmware
