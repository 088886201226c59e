// One SELECT on the Firebird database, its parameters and its rows.
#include "host/firebird/firebird_cursor.h"

#include <ibase.h>

#include <cmath>
#include <cstring>

#include "host/data/host_database.h"

namespace host {

using namespace Firebird;

namespace {

// The database counts days from 17 November 1858, the host's date-times from 30 December 1899.
constexpr double kDateOffset = 15018;
constexpr double kTimeUnitsPerDay = 86400.0 * ISC_TIME_SECONDS_PRECISION;

std::string statusText(IStatus* status) {
    char buffer[2048];
    FirebirdApi::get().util->formatStatus(buffer, sizeof buffer, status);
    return buffer;
}

template <class T>
T load(const unsigned char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <class T>
void store(unsigned char* at, T value) {
    std::memcpy(at, &value, sizeof value);
}

Variant scaled(std::int64_t raw, int scale) {
    if (scale == 0) return Variant(raw);
    return Variant(static_cast<double>(raw) * std::pow(10.0, scale));
}

// Parameters go over as 64-bit integers, timestamps, doubles or text, whatever the statement
// declares; the database converts them to the column's type.
IMessageMetadata* inputMetadata(ThrowStatusWrapper& status, const std::vector<Variant>& params) {
    IMetadataBuilder* builder = FirebirdApi::get().master->getMetadataBuilder(&status, static_cast<unsigned>(params.size()));
    for (unsigned i = 0; i < params.size(); ++i) {
        const Variant& value = params[i];
        if (value.isDate()) {
            builder->setType(&status, i, SQL_TIMESTAMP + 1);
            builder->setLength(&status, i, sizeof(ISC_TIMESTAMP));
        } else if (value.isFloat()) {
            builder->setType(&status, i, SQL_DOUBLE + 1);
            builder->setLength(&status, i, sizeof(double));
        } else if (value.isText()) {
            builder->setType(&status, i, SQL_VARYING + 1);
            builder->setLength(&status, i, static_cast<unsigned>(std::max<std::size_t>(value.text().size(), 1)));
        } else {
            builder->setType(&status, i, SQL_INT64 + 1);
            builder->setLength(&status, i, sizeof(ISC_INT64));
            builder->setScale(&status, i, 0);
        }
    }
    IMessageMetadata* meta = builder->getMetadata(&status);
    builder->release();
    return meta;
}

void fillInput(ThrowStatusWrapper& status, IMessageMetadata* meta, const std::vector<Variant>& params,
               std::vector<unsigned char>& buffer) {
    buffer.assign(meta->getMessageLength(&status), 0);
    for (unsigned i = 0; i < params.size(); ++i) {
        const Variant& value = params[i];
        unsigned char* at = buffer.data() + meta->getOffset(&status, i);
        const bool isNull = value.isNullOrEmpty();
        store<short>(buffer.data() + meta->getNullOffset(&status, i), isNull ? -1 : 0);
        if (isNull) continue;
        if (value.isDate()) {
            const double days = value.toDateTime().days;
            const double whole = std::floor(days);
            ISC_TIMESTAMP stamp;
            stamp.timestamp_date = static_cast<ISC_DATE>(whole + kDateOffset);
            stamp.timestamp_time = static_cast<ISC_TIME>(std::llround((days - whole) * kTimeUnitsPerDay));
            store(at, stamp);
        } else if (value.isFloat()) {
            store(at, value.toDouble());
        } else if (value.isText()) {
            store<ISC_USHORT>(at, static_cast<ISC_USHORT>(value.text().size()));
            std::memcpy(at + sizeof(ISC_USHORT), value.text().data(), value.text().size());
        } else {
            store<ISC_INT64>(at, value.toInteger());
        }
    }
}

}  // namespace

FirebirdApi& FirebirdApi::get() {
    static FirebirdApi api{fb_get_master_interface(), fb_get_master_interface()->getUtilInterface()};
    return api;
}

void raiseDatabaseError(const std::string& context, const FbException& error) {
    throw HostDatabaseError(context + ": " + statusText(error.getStatus()));
}

FirebirdCursor::FirebirdCursor(IAttachment* attachment, ITransaction* transaction, const std::string& sql,
                               const std::vector<Variant>& params)
    : attachment_(attachment), transaction_(transaction), fetchStatus_(FirebirdApi::get().master->getStatus()) {
    ThrowStatusWrapper status(FirebirdApi::get().master->getStatus());
    IMessageMetadata* inputMeta = nullptr;
    try {
        statement_ = attachment_->prepare(&status, transaction_, 0, sql.c_str(), SQL_DIALECT_V6,
                                          IStatement::PREPARE_PREFETCH_METADATA);
        std::vector<unsigned char> input;
        if (!params.empty()) {
            inputMeta = inputMetadata(status, params);
            fillInput(status, inputMeta, params, input);
        }
        outputMeta_ = statement_->getOutputMetadata(&status);
        const unsigned count = outputMeta_->getCount(&status);
        fields_.reserve(count);
        for (unsigned i = 0; i < count; ++i)
            fields_.push_back(Field{outputMeta_->getType(&status, i) & ~1u, outputMeta_->getSubType(&status, i),
                                    outputMeta_->getScale(&status, i), outputMeta_->getLength(&status, i),
                                    outputMeta_->getOffset(&status, i), outputMeta_->getNullOffset(&status, i)});
        buffer_.assign(outputMeta_->getMessageLength(&status), 0);
        resultSet_ = statement_->openCursor(&status, transaction_, inputMeta, params.empty() ? nullptr : input.data(),
                                            outputMeta_, 0);
        if (inputMeta) inputMeta->release();
    } catch (const FbException& error) {
        const std::string text = statusText(error.getStatus());
        if (inputMeta) inputMeta->release();
        close();
        status.dispose();
        fetchStatus_->dispose();
        throw HostDatabaseError(text);
    }
    status.dispose();
}

FirebirdCursor::~FirebirdCursor() {
    close();
    fetchStatus_->dispose();
}

void FirebirdCursor::close() {
    // Closing must not throw: it runs on the way out of a failure too.
    IStatus* raw = FirebirdApi::get().master->getStatus();
    CheckStatusWrapper status(raw);
    if (resultSet_) {
        resultSet_->close(&status);
        if (status.getState() & IStatus::STATE_ERRORS) resultSet_->release();
        resultSet_ = nullptr;
    }
    if (outputMeta_) {
        outputMeta_->release();
        outputMeta_ = nullptr;
    }
    if (statement_) {
        status.init();
        statement_->free(&status);
        if (status.getState() & IStatus::STATE_ERRORS) statement_->release();
        statement_ = nullptr;
    }
    raw->dispose();
}

bool FirebirdCursor::fetch() {
    if (!resultSet_) return false;
    ThrowStatusWrapper status(fetchStatus_);
    try {
        return resultSet_->fetchNext(&status, buffer_.data()) == IStatus::RESULT_OK;
    } catch (const FbException& error) {
        throw HostDatabaseError(statusText(error.getStatus()));
    }
}

Variant FirebirdCursor::field(int index) const {
    const Field& f = fields_.at(static_cast<std::size_t>(index));
    const unsigned char* at = buffer_.data() + f.offset;
    if (load<short>(buffer_.data() + f.nullOffset) != 0) return Variant::null();
    switch (f.type) {
        case SQL_VARYING: {
            const auto length = load<ISC_USHORT>(at);
            return Variant(std::string(reinterpret_cast<const char*>(at + sizeof(ISC_USHORT)), length));
        }
        case SQL_TEXT: {
            // Fixed-length text comes padded with blanks; the padding is no part of the value.
            std::size_t length = f.length;
            while (length > 0 && at[length - 1] == ' ') --length;
            return Variant(std::string(reinterpret_cast<const char*>(at), length));
        }
        case SQL_SHORT: return scaled(load<short>(at), f.scale);
        case SQL_LONG: return scaled(load<ISC_LONG>(at), f.scale);
        case SQL_INT64: return scaled(load<ISC_INT64>(at), f.scale);
        case SQL_FLOAT: return Variant(static_cast<double>(load<float>(at)));
        case SQL_DOUBLE:
        case SQL_D_FLOAT: return Variant(load<double>(at));
        case SQL_BOOLEAN: return Variant(std::int64_t{load<FB_BOOLEAN>(at) ? 1 : 0});
        case SQL_TYPE_DATE: return Variant(DateTime{load<ISC_DATE>(at) - kDateOffset});
        case SQL_TYPE_TIME: return Variant(DateTime{load<ISC_TIME>(at) / kTimeUnitsPerDay});
        case SQL_TIMESTAMP: {
            const auto stamp = load<ISC_TIMESTAMP>(at);
            return Variant(DateTime{stamp.timestamp_date - kDateOffset + stamp.timestamp_time / kTimeUnitsPerDay});
        }
        case SQL_BLOB: return Variant(readBlob(load<ISC_QUAD>(at)));
        case SQL_NULL: return Variant::null();
        default: throw HostDatabaseError("the result column " + std::to_string(index + 1) + " has a type (" +
                                         std::to_string(f.type) + ") the host cannot read");
    }
}

std::string FirebirdCursor::readBlob(const ISC_QUAD& id) const {
    ThrowStatusWrapper status(FirebirdApi::get().master->getStatus());
    IBlob* blob = nullptr;
    std::string text;
    try {
        ISC_QUAD blobId = id;
        blob = attachment_->openBlob(&status, transaction_, &blobId, 0, nullptr);
        char chunk[16384];
        for (;;) {
            unsigned got = 0;
            const int result = blob->getSegment(&status, sizeof chunk, chunk, &got);
            if (result != IStatus::RESULT_OK && result != IStatus::RESULT_SEGMENT) break;
            text.append(chunk, got);
        }
        blob->close(&status);
        blob = nullptr;
    } catch (const FbException& error) {
        const std::string message = statusText(error.getStatus());
        if (blob) blob->release();
        status.dispose();
        throw HostDatabaseError(message);
    }
    status.dispose();
    return text;
}

}  // namespace host
