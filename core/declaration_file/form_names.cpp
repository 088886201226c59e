// The names tables of the declaration bodies, turned into windows-1251 once.
#include "core/declaration_file/form_names.h"

#include "host/text/cp1251.h"

namespace core::names {

using host::W;

namespace {

Tags tags(const char* element) { return {W("<") + W(element) + ">", W("</") + W(element) + ">"}; }

}  // namespace

const Shared& shared() {
    static const Shared kNames{
        .references = W("<Справочники>"),
        .referencesEnd = W("</Справочники>"),
        .number = W("ПN"),
        .subdivisionName = W("НаимЮЛ"),
        .subdivisionKpp = W("КППЮЛ"),
        .licences = W("<Лицензии>"),
        .licencesEnd = W("</Лицензии>"),
        .licence = W("<Лицензия"),
        .licenceId = W("ИдЛицензии"),
        .addressParts = {tags("КодСтраны"), tags("Индекс"), tags("КодРегион"), tags("Район"), tags("Город"),
                         tags("НаселПункт"), tags("Улица"), tags("Дом"), tags("Корпус"), tags("Кварт")},
        .letter = W("<Литера/>"),
        .turnoverVolume = W("<ОбъемОборота"),
        .turnoverVolumeEnd = W("</ОбъемОборота>"),
        .hasTurnover = W("НаличиеОборота"),
        .turnover = W("<Оборот"),
        .turnoverEnd = W("</Оборот>"),
        .kind = W("П000000000003"),
        .producer = W("<СведПроизвИмпорт"),
        .producerEnd = W("</СведПроизвИмпорт>"),
        .producerId = W("ИдПроизвИмп"),
        .producers = W("<ПроизводителиИмпортеры "),
        .producersEnd = W("</ПроизводителиИмпортеры>"),
        .producerName = W("П000000000004"),
        .producerInn = W("П000000000005"),
        .producerKpp = W("П000000000006"),
        .counterpartyName = W("П000000000007"),
        .person = W("<ФЛ"),
        .legalEntity = W("<ЮЛ"),
        .requisiteInn = W("П000000000009"),
        .requisiteKpp = W("П000000000010"),
        .licenceAttributes = {W("П000000000011"), W("П000000000012"), W("П000000000013"), W("П000000000014")},
        .suppliers = {W("<Поставщики"), W("ИдПостав"), W("</Поставщики>")},
        .supplier = {W("<Поставщик"), W("ИдПоставщика"), W("</Поставщик>")},
    };
    return kNames;
}

const Retail& retail() {
    static const Retail kNames{
        .producerId = W("ИДПроизвИмп"),
        .product = W("<Продукция"),
        .articul = W("Артикул"),
        .netto = W("Нетто"),
        .docDate = W("П200000000013"),
        .docNumber = W("П200000000014"),
        .emptyField = W("П200000000015"),
        .quantity = W("П200000000016"),
        .movement = W("<Движение"),
    };
    return kNames;
}

const Wholesale& wholesale() {
    static const Wholesale kNames{
        .foreign = W("<Иностр"),
        .country = W("П000000000081"),
        .foreignAddress = W("П000000000082"),
        .resident = W("<Резидент>"),
        .residentEnd = W("</Резидент>"),
        .address = tags("П000000000008"),
        .docDate = W("П000000000015"),
        .zeroField = W("П000000000016"),
        .zeroAmount = W("П000000000017"),
        .secondDocDate = W("П000000000018"),
        .docNumber = W("П000000000019"),
        .emptyField = W("П000000000020"),
        .quantity = W("П000000000021"),
    };
    return kNames;
}

const Movements& purchases() {
    static const Movements kNames{
        .counterparties = shared().suppliers,
        .partner = shared().supplier,
        .ordinary = W("<Закупка"),
        .returned = W("<Возврат"),
        .presenceFlags = {W("НаличиеЗакупки"), W("НаличиеВозврата")},
    };
    return kNames;
}

const Movements& deliveries() {
    static const Movements kNames{
        .counterparties = {W("<Контрагенты"), W("ИдКонтр"), W("</Контрагенты>")},
        .partner = {W("<Получатель"), W("ИдПолучателя"), W("</Получатель>")},
        .ordinary = W("<Поставка"),
        .returned = purchases().returned,
        .presenceFlags = {W("НаличиеПоставки"), purchases().presenceFlags[1]},
    };
    return kNames;
}

const Transport& transport() {
    static const Transport kNames{
        .carriers = {W("<Перевозчики"), W("ИдПеревозчика"), W("</Перевозчики>")},
        .individual = W("<ПеревозчикФизЛицо>"),
        .individualEnd = W("</ПеревозчикФизЛицо>"),
        .fullName = W("<ФИО"),
        .surname = W("Фамилия"),
        .firstName = W("Имя"),
        .patronymic = W("Отчество"),
        .address = tags("Адрес"),
        .legalEntity = W("<ПеревозчикЮрЛицо"),
        .legalName = W("П000000000003"),
        .legalInn = W("П000000000004"),
        .legalKpp = W("П000000000005"),
        .licenceAttributes = {W("П000000000008"), W("П000000000009"), W("П000000000010"), W("П000000000011")},
        .vehicles = W("<ТранспортныеСредства"),
        .vehicleId = W("ИдТС"),
        .vehicleType = W("П000000000012"),
        .vehicleVolume = W("П000000000013"),
        .vehicleNumber = W("П000000000014"),
        .receivers = {W("<Получатели"), W("ИдПолучателя"), W("</Получатели>")},
        .receiverName = W("П000000000019"),
        .russianOrganization = W("<ОрганизацияРФ"),
        .receiverInn = W("П000000000020"),
        .receiverKpp = W("П000000000021"),
        .volume = W("<ОбъемПеревозки "),
        .volumeEnd = W("</ОбъемПеревозки>"),
        .hasTransports = W("НаличиеПеревозок"),
        .transport = W("<Перевозка"),
        .transportEnd = W("</Перевозка>"),
        .transportKind = W("П000000000002"),
        .product = W("<Продукция"),
        .productEnd = W("</Продукция>"),
        .productKind = W("П000000000004"),
        .carrier = {W("<СведПеревозчик"), W("ИдПеревозчика"), W("</СведПеревозчик>")},
        .vehicle = W("<ТранспортноеСредство"),
        .vehicleEnd = W("</ТранспортноеСредство>"),
        .waybill = W("<СведТН"),
        .waybillEnd = W("</СведТН>"),
        .waybillDate = W("П000000000014"),
        .waybillNumber = W("П000000000015"),
        .waybillQuantity = W("П000000000016"),
        .line = W("<СведТТН"),
        .lineDate = W("П000000000017"),
        .lineNumber = W("П000000000018"),
        .lineQuantity = W("П000000000019"),
        .lineReceiverQuantity = W("П000000000020"),
    };
    return kNames;
}

}  // namespace core::names
