// The frame of the forms that list producers and counterparties with their licences and declare
// the movements by counterparty: 11, 12, 07 and 06.
#pragma once

#include <string>
#include <vector>

#include "core/declaration_file/body_frame.h"
#include "core/declaration_file/licences.h"

namespace core {

// The local queries over the form's movement table.
struct CounterpartyQueries {
    std::string result;         // the movement rows as the print form reads them
    std::string clients;        // the counterparties, each one's rows adjacent
    std::string manufacturers;  // the producers
    std::string clientSum;      // the sums per counterparty
};

class CounterpartyFrame : public BodyFrame {
public:
    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qManufacturers;
    host::LocalQuery qClientSum;

protected:
    CounterpartyFrame(const FormProfile& profile, const CounterpartyQueries& queries);

    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum};
    }

    // The licences the counterparties are listed with, by which their movements name them.
    LicenceList licences_;
};

}  // namespace core
