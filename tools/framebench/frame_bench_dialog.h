// The frame bench dialog: a thin Qt view over FrameBenchController.  Every control carries an
// object name that tests use to find it.
#pragma once

#include <QDialog>
#include <memory>

#include "tools/common/qt_tool_ui.h"
#include "tools/framebench/frame_bench_controller.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace tarsel::framebench {

class FrameBenchDialog : public QDialog {
    Q_OBJECT
public:
    // `ui` replaces the message boxes (tests); null shows real boxes over this dialog.
    explicit FrameBenchDialog(RawPort& port, tools::ToolUi* ui = nullptr, QWidget* parent = nullptr);
    ~FrameBenchDialog() override;

    FrameBenchController& Controller() { return *controller_; }
    // Time between a send and the reading of the answer (100 ms).
    void SetDrainDelay(int milliseconds);

signals:
    // The answer of the last send was read and shown.
    void AnswerShown();

private:
    QPushButton* AddButton(const QString& text, const char* name);
    void BuildLayout();
    void RedrawSend();
    void RedrawReceived();
    void AfterAppend(bool appended, QWidget* focus = nullptr);
    void OnConnect();
    void OnSend();
    void OnDrain();
    void OnRefresh();
    void OnAbout();

    std::unique_ptr<tools::QtToolUi> ownUi_;
    tools::ToolUi* ui_ = nullptr;
    std::unique_ptr<FrameBenchController> controller_;
    QTimer* drainTimer_ = nullptr;
    QLineEdit* portEdit_ = nullptr;
    QComboBox* baudCombo_ = nullptr;
    QPushButton* connectButton_ = nullptr;
    QPlainTextEdit* sendDisplay_ = nullptr;
    QLineEdit* slaveEdit_ = nullptr;
    QLineEdit* dataEdit_ = nullptr;
    QLineEdit* hexEdit_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLabel* decodedLabel_ = nullptr;
    QLineEdit* byteValue_ = nullptr;
    QLineEdit* wordValue_ = nullptr;
    QLineEdit* dwordValue_ = nullptr;
    QLineEdit* charValue_ = nullptr;
    QLineEdit* shortValue_ = nullptr;
    QLineEdit* longValue_ = nullptr;
};

}  // namespace tarsel::framebench
