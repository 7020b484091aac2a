// The views the windows of the configuration program are made of, by frame kind and board type
// code, and the modeless dialogs by kind.  Each window's code registers its factory in one line of
// view_list.cpp; the frames ask here which view class serves a drive.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "gui/app/frame_kinds.h"

class QWidget;

namespace tarsel::app {

class CView;
class CShellDialog;
class IShell;

using ViewFactory = std::function<CView*(IShell& shell, QWidget* parent)>;
using DialogFactory = std::function<CShellDialog*(IShell& shell, QWidget* parent)>;

class ViewRegistry {
public:
    static constexpr uint8_t kAnyType = 0;

    struct Entry {
        QString className;  // e.g. "CViewMotion2"; one class may serve several type codes
        ViewFactory make;
    };

    // `typeCode` kAnyType registers the view for every type without one of its own.
    void Register(FrameKind kind, uint8_t typeCode, QString className, ViewFactory make);
    void RegisterDialog(DialogKind kind, DialogFactory make);

    // The view for a drive of `typeCode`, falling back to the kind's kAnyType entry; none when
    // nothing is registered for the kind.
    const Entry* Find(FrameKind kind, uint8_t typeCode) const;
    const DialogFactory* FindDialog(DialogKind kind) const;

private:
    std::map<std::pair<FrameKind, uint8_t>, Entry> views_;
    std::map<DialogKind, DialogFactory> dialogs_;
};

// Fills the registry with every window the program has (view_list.cpp).
void RegisterAllViews(ViewRegistry& registry);

}  // namespace tarsel::app
