// A dialog service for tests: records every box and file request and answers from a script, so
// no window ever blocks.  Without a scripted answer a box answers its first button (OK, Yes,
// Retry) and file dialogs are cancelled.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "gui/app/dialog_service.h"

namespace tarsel::app::testing {

class RecordingDialogs : public IDialogService {
public:
    BoxAnswer Box(const BoxRequest& request) override {
        boxes.push_back(request);
        if (!answers.empty()) {
            const BoxAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        switch (request.buttons) {
            case BoxButtons::YesNo:
            case BoxButtons::YesNoCancel:
                return BoxAnswer::Yes;
            case BoxButtons::RetryCancel:
                return BoxAnswer::Cancel;
            default:
                return BoxAnswer::Ok;
        }
    }
    std::optional<QString> OpenFile(const FileRequest& request) override {
        files.push_back(request);
        return NextFile();
    }
    std::optional<QString> SaveFile(const FileRequest& request) override {
        files.push_back(request);
        return NextFile();
    }

    // Texts of the boxes shown so far.
    QStringList Texts() const {
        QStringList out;
        for (const auto& b : boxes) out << b.text;
        return out;
    }

    std::vector<BoxRequest> boxes;
    std::vector<FileRequest> files;
    std::deque<BoxAnswer> answers;
    std::deque<std::optional<QString>> fileAnswers;

private:
    std::optional<QString> NextFile() {
        if (fileAnswers.empty()) return std::nullopt;
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};

}  // namespace tarsel::app::testing
