// Opening the host database on Firebird and running its statements.
#include "host/firebird/firebird_database.h"

#include <ibase.h>

#include <cstdlib>

#include "host/firebird/firebird_cursor.h"
#include "host/firebird/firebird_dataset.h"
#include "host/firebird/server_failure.h"
#include "host/text/cp1251.h"

namespace host {

using namespace Firebird;

namespace {

std::string environment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

}  // namespace

DatabaseLogin DatabaseLogin::fromEnvironment() {
    DatabaseLogin login{environment("ISC_USER", "SYSDBA"), std::nullopt};
    if (const char* password = std::getenv("ISC_PASSWORD")) login.password = password;
    return login;
}

FirebirdDatabase::FirebirdDatabase(const std::string& connection)
    : FirebirdDatabase(connection, DatabaseLogin::fromEnvironment()) {}

FirebirdDatabase::FirebirdDatabase(const std::string& connection, const DatabaseLogin& login)
    : connection_(connection) {
    auto& api = FirebirdApi::get();
    ThrowStatusWrapper status(api.master->getStatus());
    IXpbBuilder* dpb = nullptr;
    IXpbBuilder* tpb = nullptr;
    IProvider* provider = nullptr;
    const std::string user = login.user.empty() ? std::string("SYSDBA") : login.user;
    const char* password = login.password ? login.password->c_str() : nullptr;
    try {
        dpb = api.util->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&status, isc_dpb_user_name, user.c_str());
        if (password) dpb->insertString(&status, isc_dpb_password, password);
        dpb->insertString(&status, isc_dpb_lc_ctype, "WIN1251");
        provider = api.master->getDispatcher();
        attachment_ = provider->attachDatabase(&status, connection.c_str(), dpb->getBufferLength(&status),
                                               dpb->getBuffer(&status));
        provider->release();
        provider = nullptr;

        tpb = api.util->getXpbBuilder(&status, IXpbBuilder::TPB, nullptr, 0);
        tpb->insertTag(&status, isc_tpb_read);
        tpb->insertTag(&status, isc_tpb_concurrency);
        tpb->insertTag(&status, isc_tpb_nowait);
        transaction_ = attachment_->startTransaction(&status, tpb->getBufferLength(&status), tpb->getBuffer(&status));
    } catch (const FbException& error) {
        if (dpb) dpb->dispose();
        if (tpb) tpb->dispose();
        if (provider) provider->release();
        if (attachment_) {
            CheckStatusWrapper quiet(api.master->getStatus());
            attachment_->detach(&quiet);
            quiet.dispose();
        }
        const std::string context = "cannot open the host database " + nameInMessage(connection);
        try {
            // Through a server the client's status lines would leave the user guessing whether the
            // login, the address or the path was wrong.
            if (const auto server = serverAddress(connection))
                throw HostDatabaseError(context + ": " +
                                        describeServerFailure(*server, error.getStatus(), user, password && *password));
            raiseDatabaseError(context, error);
        } catch (...) {
            status.dispose();
            throw;
        }
    }
    dpb->dispose();
    tpb->dispose();
    status.dispose();
    shared_ = std::make_unique<FirebirdDataSet>(*this, attachment_, transaction_);
}

FirebirdDatabase::~FirebirdDatabase() {
    shared_.reset();
    CheckStatusWrapper status(FirebirdApi::get().master->getStatus());
    if (transaction_) {
        transaction_->rollback(&status);
        if (status.getState() & IStatus::STATE_ERRORS) transaction_->release();
    }
    if (attachment_) {
        status.init();
        attachment_->detach(&status);
        if (status.getState() & IStatus::STATE_ERRORS) attachment_->release();
    }
    status.dispose();
}

std::string FirebirdDatabase::sqlText(const std::string& key) {
    std::optional<Variant> text;
    try {
        FirebirdCursor cursor(attachment_, transaction_, "select SQL_TEXT from REPORT_SQL where SQL_KEY = ?",
                              {Variant(key)});
        if (cursor.fetch()) text = cursor.field(0);
    } catch (const HostDatabaseError& error) {
        throw HostDatabaseError("cannot read the SQL text \"" + key + "\" from REPORT_SQL of " + connection_ + ": " +
                                error.what());
    }
    if (!text || text->isNull())
        throw HostDatabaseError("no SQL text is stored under the key \"" + key + "\" in REPORT_SQL of " + connection_);
    keyOfText_[text->text()] = key;
    return text->text();
}

std::string FirebirdDatabase::keyOf(const std::string& text) const {
    const auto it = keyOfText_.find(text);
    return it == keyOfText_.end() ? std::string{} : it->second;
}

std::optional<std::vector<Variant>> FirebirdDatabase::firstRow(const std::string& sql) {
    try {
        FirebirdCursor cursor(attachment_, transaction_, sql, {});
        if (!cursor.fetch()) return std::nullopt;
        std::vector<Variant> row;
        row.reserve(static_cast<std::size_t>(cursor.fieldCount()));
        for (int i = 0; i < cursor.fieldCount(); ++i) row.push_back(cursor.field(i));
        return row;
    } catch (const HostDatabaseError& error) {
        throw HostDatabaseError("the host lookup \"" + sql + "\" failed: " + error.what());
    }
}

HostDataSet& FirebirdDatabase::sharedDataSet() { return *shared_; }

void FirebirdDatabase::shutdown() {
    auto& api = FirebirdApi::get();
    CheckStatusWrapper status(api.master->getStatus());
    IProvider* provider = api.master->getDispatcher();
    provider->shutdown(&status, 0, fb_shutrsn_app_stopped);
    provider->release();
    status.dispose();
}

}  // namespace host
