#include "SharedStandIn.h"

#include <httplib.h>

#include "tests/standin/StandInProcess.h"

namespace tunelark::test {
namespace {

StandInProcess& Process() {
    static StandInProcess process;
    return process;
}

std::string Get(const std::string& path) {
    httplib::Client client(SharedStandIn::Base());
    client.set_read_timeout(60, 0);  // the first request for a file makes it
    const auto reply = client.Get(path);
    return reply && reply->status == 200 ? reply->body : "";
}

}  // namespace

const std::string& SharedStandIn::Base() {
    return Process().Base();
}

ServiceConfig SharedStandIn::Config() {
    return {Base(), Base(), Base(), Base() + "/probe"};
}

std::string SharedStandIn::Served(const std::string& path) {
    return Get(path);
}

bool SharedStandIn::SetMediaFaults(const std::string& query) {
    return Get("/control/media-faults?" + query) == "ok\n";
}

}  // namespace tunelark::test
