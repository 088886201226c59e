// The forms the window lists.
#include "desk/form_catalogue.h"

namespace desk {

const std::vector<FormEntry>& formCatalogue() {
    static const std::vector<FormEntry> forms{
        {"11", QStringLiteral("Розничная продажа алкогольной продукции"), "pZorvicRozn"},
        {"12", QStringLiteral("Розничная продажа пива и пивных напитков"), "pZorvicRoznBeer"},
        {"08", QStringLiteral("Перевозка этилового спирта и алкогольной продукции"), "pZorvicTransport"},
        {"07", QStringLiteral("Закупка алкогольной продукции"), "pZorvicBuy"},
        {"06", QStringLiteral("Поставка алкогольной продукции"), "pZorvicDelivery"},
        {"05", QStringLiteral("Оборот алкогольной продукции"), "pZorvicOborot"},
    };
    return forms;
}

}  // namespace desk
