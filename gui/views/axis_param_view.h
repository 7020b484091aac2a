// The axis parameters of a drive (directions, origin, in-position width, limit stop mode,
// software limits, tracking limit, speed override) as radio buttons and edits, each change
// written to the drive's working memory at once.  One implementation for every drive family:
// the form table (axis_param_forms.h) says which parameter number each control binds and which
// controls a family's form has.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "gui/app/view.h"
#include "gui/app/view_registry.h"
#include "gui/views/axis_param_forms.h"

class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace tarsel::views {

class CViewAxisParam : public app::CView {
    Q_OBJECT
public:
    CViewAxisParam(app::IShell& shell, const AxisParamForm& form, QWidget* parent = nullptr);

    void OnMessage(const app::Message& message) override;
    const AxisParamForm& Form() const { return form_; }

    // The control bound to a parameter number: its radio group or its edit (none when the form
    // has no control for it).
    QButtonGroup* RadioGroup(int parameter) const;
    QLineEdit* Edit(int parameter) const;

protected:
    void OnDriveChanged() override;

private:
    struct Binding {
        int parameter = -1;
        QButtonGroup* radios = nullptr;
        QLineEdit* edit = nullptr;
    };

    QWidget* MakeRadios(const RadioControl& control, int parameter, bool framed = true);
    void AddEdit(QGridLayout* layout, const EditControl& control, int parameter);
    void Refresh();
    void Show(const CBoardInterface& board, const Binding& binding);
    void OnRadioClicked(int parameter, int value, bool checked);
    void OnEditChanged(QLineEdit* edit, int parameter, const QString& text);
    void SetControlsEnabled(bool enabled);

    const AxisParamForm& form_;
    std::vector<Binding> bindings_;
    QPushButton* close_ = nullptr;
    bool updating_ = false;
};

// Registers the view of every family in the form table.
void RegisterAxisParamViews(app::ViewRegistry& registry);

}  // namespace tarsel::views
