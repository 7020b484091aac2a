// Every window of the configuration program, registered by frame kind and board type code.
// One line per window; each window's code offers its Register function.
#include "gui/app/view_registry.h"
#include "gui/views/board_list_view.h"
#include "gui/views/axis_param_view.h"
#include "gui/views/io_monitor_view.h"
#include "gui/views/io_setting_view.h"
#include "gui/views/param_list_view.h"
#include "gui/views/pos_table_view.h"
#include "gui/views/CViewMotion.h"
#include "gui/views/CViewRepeat.h"
#include "gui/views/bldc_param_view.h"
#include "gui/dialogs/inertia_dialog.h"
#include "gui/dialogs/rl_dialog.h"
#include "gui/dialogs/monitoring_dialog.h"

namespace tarsel::app {

void RegisterAllViews(ViewRegistry& registry) {
    RegisterBoardListView(registry);
    views::RegisterParamListView(registry);
    views::RegisterAxisParamViews(registry);
    views::RegisterPosTableView(registry);
    views::RegisterIoMonitorView(registry);
    views::RegisterIoSettingView(registry);
    views::RegisterMotionViews(registry);
    views::RegisterRepeatView(registry);
    views::RegisterBldcParamView(registry);
    dialogs::RegisterInertiaDialog(registry);
    dialogs::RegisterRLDialog(registry);
    dialogs::RegisterMonitoringDialog(registry);
}

}  // namespace tarsel::app
