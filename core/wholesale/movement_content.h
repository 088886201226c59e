#pragma once

#include <optional>
#include <string>

#include "core/wholesale/reference_block.h"
#include "core/wholesale/subdivision_section.h"

namespace core::wholesale {

// What the movement elements of a form are called (windows-1251): in form 07 "<Поставщик",
// "ИдПоставщика", "</Поставщик>", "<Закупка" and "<Возврат".
struct MovementNames {
    std::string partner;
    std::string partnerId;
    std::string partnerEnd;
    std::string ordinary;
    std::string returned;
};

// A product kind of the purchase and delivery declarations (forms 07 and 06): its movements by
// producer ("СведПроизвИмпорт"), then by counterparty and licence day (the partner element,
// naming the licence when a resident's licence is listed), one element per movement row.
class MovementContent final : public KindContent {
public:
    explicit MovementContent(MovementNames names);

    // Before each run: the number format's decimals, and the counterparties query whose
    // listed licences the partner elements name.
    void begin(int decimals, host::LocalDataSet& clients) {
        decimals_ = decimals;
        licences_.emplace(clients);
    }

    void resolve(host::LocalDataSet& rows) override;
    void openGroup(std::size_t level, DeclarationWriter& out, host::LocalDataSet& rows, int number) override;
    void closeGroup(std::size_t level, DeclarationWriter& out) override;
    void writeRow(DeclarationWriter& out, host::LocalDataSet& rows, int number) override;

private:
    MovementNames names_;
    int decimals_ = 0;
    std::optional<LicenceIndex> licences_;
    int producer_ = -1;
    int partner_ = -1;
    int licenceDate_ = -1;
    int country_ = -1;
    int isReturn_ = -1;
    int docDate_ = -1;
    int docNumber_ = -1;
    int quantity_ = -1;
};

}  // namespace core::wholesale
