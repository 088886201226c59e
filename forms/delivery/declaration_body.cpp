// The body of the form 06 declaration file: what its elements are called.
#include "forms/delivery/report_frame.h"
#include "host/text/cp1251.h"

namespace forms::delivery {

namespace {

const core::wholesale::MovementForm& form() {
    using host::W;
    static const core::wholesale::MovementForm kForm{{W("<Контрагенты"), W("ИдКонтр"), W("</Контрагенты>")},
                                                {W("<Получатель"), W("ИдПолучателя"), W("</Получатель>"), W("<Поставка"),
                                                 W("<Возврат")},
                                                {W("НаличиеПоставки"), W("НаличиеВозврата")},
                                                true,
                                                false,
                                                false};
    return kForm;
}

}  // namespace

TZorvicDeliveryReport::TZorvicDeliveryReport() : MovementFrame(kProfile, form()) {}

}  // namespace forms::delivery
