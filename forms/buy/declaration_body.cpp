// The body of the form 07 declaration file: what its elements are called.
#include "forms/buy/report_frame.h"
#include "host/text/cp1251.h"

namespace forms::buy {

namespace {

const core::wholesale::MovementForm& form() {
    using host::W;
    static const core::wholesale::MovementForm kForm{{W("<Поставщики"), W("ИдПостав"), W("</Поставщики>")},
                                                {W("<Поставщик"), W("ИдПоставщика"), W("</Поставщик>"), W("<Закупка"),
                                                 W("<Возврат")},
                                                {W("НаличиеЗакупки"), W("НаличиеВозврата")},
                                                false,
                                                true,
                                                true};
    return kForm;
}

}  // namespace

TZorvicBuyReport::TZorvicBuyReport() : MovementFrame(kProfile, form()) {}

}  // namespace forms::buy
