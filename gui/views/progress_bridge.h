// Lets a board's bulk operation (file loads, ROM restore) move a progress dialog.  The operation
// runs on the GUI thread, so each step repaints the dialog at once.
#pragma once

#include "gui/model/board/CBoardInterface.h"
#include "gui/widgets/progress_dialog.h"

namespace tarsel::views {

class ProgressBridge : public IProgress {
public:
    explicit ProgressBridge(widgets::CProgressDlg& dialog) : dialog_(dialog) {}
    void SetRange(int low, int high) override { dialog_.SetRange(low, high); }
    void SetStep(int step) override { dialog_.SetStep(step); }
    void SetPos(int position) override {
        dialog_.SetPos(position);
        dialog_.repaint();
    }
    void StepIt() override {
        dialog_.StepIt();
        dialog_.repaint();
    }

private:
    widgets::CProgressDlg& dialog_;
};

}  // namespace tarsel::views
