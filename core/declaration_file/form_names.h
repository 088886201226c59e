// The element and attribute names the declaration bodies write, in windows-1251: what several
// forms call alike, then each form's own table.
#pragma once

#include <string>
#include <vector>

namespace core::names {

// An element that stands for a counterparty, its id the first attribute: "<Поставщики" with
// "ИдПостав" and "</Поставщики>".
struct Holder {
    std::string element;
    std::string id;
    std::string end;
};

// The attributes of a "Лицензия": its number, first and last day, and the body that issued it.
struct LicenceAttributes {
    std::string number;
    std::string start;
    std::string end;
    std::string organ;
};

// An element between its tags on a line of its own: "<Город>" and "</Город>".
struct Tags {
    std::string open;
    std::string close;
};

// What several forms call alike.
struct Shared {
    std::string references;
    std::string referencesEnd;
    std::string number;
    std::string subdivisionName;
    std::string subdivisionKpp;
    std::string licences;
    std::string licencesEnd;
    std::string licence;
    std::string licenceId;

    // A counterparty's address in the reference block: country code, postcode, region,
    // district, city, locality, street, house, building, then the empty "Литера" and the flat.
    std::vector<Tags> addressParts;
    std::string letter;

    // The turnover by product kind and producer of forms 11, 12, 07, 06 and 05.
    std::string turnoverVolume;
    std::string turnoverVolumeEnd;
    std::string hasTurnover;
    std::string turnover;
    std::string turnoverEnd;
    std::string kind;
    std::string producer;
    std::string producerEnd;
    std::string producerId;

    // Producers and counterparties in the reference block of forms 11, 12, 07 and 06; form 05
    // names its producers' requisites alike.
    std::string producers;
    std::string producersEnd;
    std::string producerName;
    std::string producerInn;
    std::string producerKpp;
    std::string counterpartyName;
    std::string person;
    std::string legalEntity;
    std::string requisiteInn;
    std::string requisiteKpp;
    LicenceAttributes licenceAttributes;

    // The suppliers of forms 11, 12 and 07: in the reference block, and over their purchases.
    Holder suppliers;
    Holder supplier;
};
const Shared& shared();

// Forms 11 and 12.
struct Retail {
    std::string producerId;
    std::string product;
    std::string articul;
    std::string netto;
    std::string docDate;
    std::string docNumber;
    std::string emptyField;  // always written empty
    std::string quantity;
    std::string movement;
};
const Retail& retail();

// What forms 07 and 06 share: a foreign or resident counterparty, and the movement row.
struct Wholesale {
    std::string foreign;
    std::string country;
    std::string foreignAddress;
    std::string resident;
    std::string residentEnd;
    Tags address;
    // The movement row; three of its attributes always carry the same value ("0", "0.000000"
    // and the empty text).
    std::string docDate;
    std::string zeroField;
    std::string zeroAmount;
    std::string secondDocDate;
    std::string docNumber;
    std::string emptyField;
    std::string quantity;
};
const Wholesale& wholesale();

// Where forms 07 and 06 differ: the counterparties, the movements (ordinary and returned), and
// the subdivision's presence flags (the ordinary, then the returns flag).
struct Movements {
    Holder counterparties;
    Holder partner;
    std::string ordinary;
    std::string returned;
    std::vector<std::string> presenceFlags;
};
const Movements& purchases();
const Movements& deliveries();

// Form 08.
struct Transport {
    Holder carriers;
    std::string individual;
    std::string individualEnd;
    std::string fullName;
    std::string surname;
    std::string firstName;
    std::string patronymic;
    Tags address;
    std::string legalEntity;
    std::string legalName;
    std::string legalInn;
    std::string legalKpp;
    LicenceAttributes licenceAttributes;

    std::string vehicles;
    std::string vehicleId;
    std::string vehicleType;
    std::string vehicleVolume;
    std::string vehicleNumber;

    Holder receivers;
    std::string receiverName;
    std::string russianOrganization;
    std::string receiverInn;
    std::string receiverKpp;

    std::string volume;
    std::string volumeEnd;
    std::string hasTransports;
    std::string transport;
    std::string transportEnd;
    std::string transportKind;
    std::string product;
    std::string productEnd;
    std::string productKind;
    Holder carrier;
    std::string vehicle;
    std::string vehicleEnd;
    std::string waybill;
    std::string waybillEnd;
    std::string waybillDate;
    std::string waybillNumber;
    std::string waybillQuantity;
    std::string line;
    std::string lineDate;
    std::string lineNumber;
    std::string lineQuantity;
    std::string lineReceiverQuantity;
};
const Transport& transport();

}  // namespace core::names
