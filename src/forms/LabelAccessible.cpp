#include <oleacc.h>

#include "forms/Label.h"
#include "resource.h"
#include "ui/Language.h"

namespace forms {

ui::AccessibleFacts Label::DescribeForReaders() const {
    ui::AccessibleFacts facts;
    facts.name = Caption();
    if (linkAddress_.empty()) {
        facts.role = ROLE_SYSTEM_STATICTEXT;
        facts.state = STATE_SYSTEM_READONLY;
    } else {
        facts.role = ROLE_SYSTEM_LINK;
        facts.state = STATE_SYSTEM_LINKED;
        facts.value = linkAddress_;
        facts.defaultAction = ui::Text(IDS_ACTION_JUMP);
    }
    return facts;
}

}  // namespace forms
