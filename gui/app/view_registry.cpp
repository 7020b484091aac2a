#include "gui/app/view_registry.h"

namespace tarsel::app {

void ViewRegistry::Register(FrameKind kind, uint8_t typeCode, QString className, ViewFactory make) {
    views_[{kind, typeCode}] = Entry{std::move(className), std::move(make)};
}

void ViewRegistry::RegisterDialog(DialogKind kind, DialogFactory make) {
    dialogs_[kind] = std::move(make);
}

const ViewRegistry::Entry* ViewRegistry::Find(FrameKind kind, uint8_t typeCode) const {
    if (auto it = views_.find({kind, typeCode}); it != views_.end()) return &it->second;
    if (auto it = views_.find({kind, kAnyType}); it != views_.end()) return &it->second;
    return nullptr;
}

const DialogFactory* ViewRegistry::FindDialog(DialogKind kind) const {
    auto it = dialogs_.find(kind);
    return it != dialogs_.end() ? &it->second : nullptr;
}

}  // namespace tarsel::app
