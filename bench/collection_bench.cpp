// Measures one form's data collection against the bare fetch of the same host queries, in this
// process only, so that the peak memory reported is that run's own.
//   collection_bench DATABASE FORM bare|collect [CLIENT]
// prints: form mode rows seconds peak_kib
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "core/declaration_frame.h"
#include "forms/buy/profile.h"
#include "forms/delivery/profile.h"
#include "forms/oborot/profile.h"
#include "forms/rozn/profile.h"
#include "forms/roznbeer/profile.h"
#include "forms/transport/profile.h"
#include "host/data/main_dm.h"
#include "host/firebird/firebird_database.h"
#include "host/text/cp1251.h"
#include "host/ui/message_box.h"

namespace {

const std::map<std::string, const core::FormProfile*> kForms = {
    {"rozn", &forms::rozn::kProfile},     {"roznbeer", &forms::roznbeer::kProfile},
    {"transport", &forms::transport::kProfile}, {"buy", &forms::buy::kProfile},
    {"delivery", &forms::delivery::kProfile},   {"oborot", &forms::oborot::kProfile},
};

long peakKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Silent final : host::ui::MessageService {
    void show(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "%s\n", host::cp1251ToUtf8(text).c_str());
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || !kForms.count(argv[2]) || (std::strcmp(argv[3], "bare") != 0 && std::strcmp(argv[3], "collect") != 0)) {
        std::fprintf(stderr, "usage: collection_bench DATABASE rozn|roznbeer|transport|buy|delivery|oborot bare|collect [CLIENT]\n");
        return 2;
    }
    const core::FormProfile& profile = *kForms.at(argv[2]);
    const bool bare = std::strcmp(argv[3], "bare") == 0;
    const int client = argc > 4 ? std::atoi(argv[4]) : 1;

    Silent messages;
    host::ui::setMessageService(&messages);
    char pattern[] = "/tmp/zorvic-bench-XXXXXX";
    const std::string work = std::string(mkdtemp(pattern)) + "/";
    host::MainDM().setWorkDirectory(work);

    long rows = 0;
    double seconds = 0;
    try {
        host::FirebirdDatabase database(argv[1]);
        host::MainDM().attachDatabase(&database);
        core::DeclarationFrame frame(profile);
        frame.setReportName(std::string(profile.moduleName.substr(1)));
        frame.chooseClient(client, std::to_string(client));
        host::MemIniFile options;
        options.writeInteger(std::string(profile.moduleName.substr(1)), "seYear", 2024);
        frame.ReadOptions(options);
        frame.SetTMPTablesDatabaseName();

        const auto start = std::chrono::steady_clock::now();
        if (bare) {
            const auto dates = frame.period();
            auto& data = host::MainDM().SharedDataSet();
            for (const auto& query : profile.collection->queries) {
                data.close();
                data.setSQL(frame.GetSQLText(query.key));
                for (const auto& name : query.parameters) data.setParam(name, frame.parameterValue(name, dates));
                data.open();
                for (; !data.eof(); data.next()) ++rows;
                data.close();
            }
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        } else {
            frame.FillDataTable();
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            for (auto* table : {&frame.tblObosob, &frame.tblResult, frame.tblResultOborot.get()}) {
                if (!table) continue;
                table->open();
                for (table->first(); !table->eof(); table->next()) ++rows;
                table->close();
            }
        }
        host::MainDM().attachDatabase(nullptr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", host::cp1251ToUtf8(e.what()).c_str());
        return 1;
    }
    host::FirebirdDatabase::shutdown();
    std::filesystem::remove_all(work);
    std::printf("%s %s %ld %.3f %ld\n", argv[2], argv[3], rows, seconds, peakKib());
    return 0;
}
