// The slave-number dialog: a thin Qt view over IdPickerController.  Every control carries an
// object name that tests use to find it.
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "tools/common/qt_tool_ui.h"
#include "tools/idpicker/id_picker_controller.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tarsel::idpicker {

class IdPickerDialog : public QDialog {
    Q_OBJECT
public:
    // `ui` replaces the message boxes (tests); null shows real boxes over this dialog.
    IdPickerDialog(SlaveLink& link, std::vector<unsigned> ports, tools::ToolUi* ui = nullptr,
                   QWidget* parent = nullptr);
    ~IdPickerDialog() override;

    IdPickerController& Controller() { return *controller_; }
    // Selects the entry "COM<port>" of the port combo; false when it is not listed.
    bool SelectPort(unsigned port);

private:
    void BuildLayout();
    void Redraw();
    void OnConnect();
    void OnSlaveClicked(int n);
    void OnNewNumberChanged(int index);
    void OnWrite();

    class RedrawingUi;
    std::unique_ptr<tools::QtToolUi> ownUi_;
    std::unique_ptr<RedrawingUi> ui_;
    std::unique_ptr<IdPickerController> controller_;
    QComboBox* portCombo_ = nullptr;
    QComboBox* baudCombo_ = nullptr;
    QPushButton* connectButton_ = nullptr;
    QButtonGroup* slaveGroup_ = nullptr;
    std::array<QRadioButton*, kSlaveCount> slaveRadios_{};
    QLabel* identityLabel_ = nullptr;
    QGroupBox* settingGroup_ = nullptr;
    QComboBox* newNumberCombo_ = nullptr;
    QPushButton* writeButton_ = nullptr;
};

}  // namespace tarsel::idpicker
