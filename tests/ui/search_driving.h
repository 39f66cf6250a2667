// What the search tests do as a user does: choose a row of a list, answer
// a question, type a position, each in the dialog the next command shows;
// the headers they share.
#pragma once

#include "ui/ui_test_support.h"

#include <QRadioButton>

#include "app/model_object_info.h"
#include "astro/constellation_list.h"
#include "catalog/star_id_format.h"
#include "catalog/test_charts.h"
#include "platform/number_text.h"
#include "solarsystem/object_identifier.h"
#include "star_id_writers.h"
#include "ui/dialogs/dlg_search_lists.h"
#include "ui/dialogs/dlg_search_named_obj.h"
#include "ui/dialogs/dlg_search_star.h"
#include "ui/dialogs/dlg_search_typed.h"
#include "ui/message_sink.h"
#include "ui/search_commands.h"

namespace celvaro::testing {

constexpr double kArcminPerRad = 60 / kRad;

// The answer typed into the question's field, and OK.
inline void answerQuestion(const QString& answer, int field = DlgSimpleQuestion::kAnswer) {
  whenShown([answer, field](QWidget* dialog) {
    typeInto(dialog, field, answer);
    press(dialog, kIdOk);
  });
}

// The row of the list that shows `name` chosen, and OK.
inline void pickFromList(const QString& name) {
  whenShown([name](QWidget* dialog) {
    auto* list = controlOf<QListWidget>(dialog, PickListDialog::kList);
    ASSERT_NE(list, nullptr);
    const auto items = list->findItems(name, Qt::MatchExactly);
    ASSERT_FALSE(items.empty()) << name.toStdString();
    list->setCurrentItem(items.front());
    press(dialog, kIdOk);
  });
}

}  // namespace celvaro::testing
