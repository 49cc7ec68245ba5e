// Times one loadModels of a large brand (default: category yp, brand Bench10k on the large demo catalogue,
// 127.0.0.1:1434) beside the mariadb command-line client running the same statement, output discarded.
//   bench_catalogue_load [host] [port] [account] [password] [brand] [runs]
#include "catalogue/catalogue_queries.h"
#include "catalogue/catalogue_session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace velnor;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The client with the statement's bytes as they are (GBK), stdout to /dev/null. Exit status, or -1.
int runClient(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

int main(int argc, char** argv) {
    const char* host = argc > 1 ? argv[1] : "127.0.0.1";
    const int port = argc > 2 ? std::atoi(argv[2]) : 1434;
    const char* account = argc > 3 ? argv[3] : "velnor_quote";
    const char* password = argc > 4 ? argv[4] : "shop_counter_reads";
    const QByteArray brand = argc > 5 ? QByteArray(argv[5]) : QByteArray("Bench10k");
    const int runs = argc > 6 ? std::max(1, std::atoi(argv[6])) : 10;

    initCatalogueLibrary();
    CatalogueThreadScope scope;
    const ConnectionSettings settings{host, account, password, port};

    // The statement as the load sends it (the brand needs no escaping for the client's -e either way).
    CatalogueSession probe = CatalogueSession::open(settings);
    if (!probe.isConnected()) {
        std::fprintf(stderr, "cannot connect to %s:%d as %s\n", host, port, account);
        return 1;
    }
    const QByteArray statement = modelStatement(ComponentCategory::Yp, probe.escape(brand));
    probe.close();

    const std::vector<std::string> client{"mariadb",
                                          "--no-defaults",
                                          "--host=" + std::string(host),
                                          "--port=" + std::to_string(port),
                                          "--user=" + std::string(account),
                                          "--password=" + std::string(password),
                                          "--default-character-set=gbk",
                                          "-N",
                                          "-B",
                                          "zel_k",
                                          "-e",
                                          statement.toStdString()};

    std::vector<double> loadMs, clientMs;
    size_t rows = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        rows = loadModels(settings, ComponentCategory::Yp, brand).size();
        loadMs.push_back(msSince(start));

        start = Clock::now();
        if (runClient(client) != 0) {
            std::fprintf(stderr, "the mariadb client failed\n");
            return 1;
        }
        clientMs.push_back(msSince(start));
    }

    std::printf("statement: %s\n", statement.constData());
    std::printf("server %s:%d, %zu rows, %d runs each, interleaved\n", host, port, rows, runs);
    std::printf("loadModels       median %8.2f ms  min %8.2f ms  max %8.2f ms\n", median(loadMs),
                *std::min_element(loadMs.begin(), loadMs.end()), *std::max_element(loadMs.begin(), loadMs.end()));
    std::printf("mariadb client   median %8.2f ms  min %8.2f ms  max %8.2f ms\n", median(clientMs),
                *std::min_element(clientMs.begin(), clientMs.end()),
                *std::max_element(clientMs.begin(), clientMs.end()));
    return rows == 0 ? 2 : 0;
}
