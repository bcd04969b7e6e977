#include <gtest/gtest.h>
#include <httplib.h>
#include <openssl/evp.h>
#include <openssl/x509.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "net/RequestFailure.h"
#include "net/WebRequest.h"

namespace tunelark {
namespace {

struct KeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CertificateFree {
    void operator()(X509* certificate) const { X509_free(certificate); }
};

// A certificate for 127.0.0.1 that signs itself: nothing a client should trust.
std::unique_ptr<X509, CertificateFree> SelfSigned(EVP_PKEY* key) {
    std::unique_ptr<X509, CertificateFree> certificate(X509_new());
    ASN1_INTEGER_set(X509_get_serialNumber(certificate.get()), 1);
    X509_gmtime_adj(X509_getm_notBefore(certificate.get()), 0);
    X509_gmtime_adj(X509_getm_notAfter(certificate.get()), 3600);
    X509_set_pubkey(certificate.get(), key);
    X509_NAME* name = X509_get_subject_name(certificate.get());
    const std::string host = "127.0.0.1";
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(host.c_str()), -1, -1, 0);
    X509_set_issuer_name(certificate.get(), name);
    X509_sign(certificate.get(), key, EVP_sha256());
    return certificate;
}

TEST(WebRequestTls, RefusesACertificateItCannotVerify) {
    std::unique_ptr<EVP_PKEY, KeyFree> key(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
    ASSERT_TRUE(key);
    const auto certificate = SelfSigned(key.get());
    httplib::SSLServer server(certificate.get(), key.get());
    ASSERT_TRUE(server.is_valid());
    std::atomic<int> answered{0};
    server.Get("/", [&](const httplib::Request&, httplib::Response& response) {
        ++answered;
        response.set_content("secret", "text/plain");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { server.listen_after_bind(); });
    Text status;
    const Text text =
        WebRequest("https://127.0.0.1:" + std::to_string(port) + "/", {}, {.status = &status});
    server.stop();
    serving.join();
    EXPECT_EQ(text, "");
    EXPECT_EQ(status, FailureText(RequestFailure::kSend));
    EXPECT_EQ(answered, 0);
}

}  // namespace
}  // namespace tunelark
