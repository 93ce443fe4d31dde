#include "tests/support/http/TlsIdentity.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>

namespace {

constexpr long kValidSeconds = 24 * 60 * 60;

using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Certificate = std::unique_ptr<X509, decltype(&X509_free)>;
using Bio = std::unique_ptr<BIO, decltype(&BIO_free)>;

std::string BioText(BIO* bio) {
  char* bytes = nullptr;
  long length = BIO_get_mem_data(bio, &bytes);
  return std::string(bytes, static_cast<size_t>(length));
}

bool AddExtension(X509* certificate, int id, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, id, value);
  if (!extension) return false;
  bool added = X509_add_ext(certificate, extension, -1) == 1;
  X509_EXTENSION_free(extension);
  return added;
}

bool Describe(X509* certificate, EVP_PKEY* key) {
  X509_NAME* name = X509_get_subject_name(certificate);
  return X509_set_version(certificate, 2) == 1 && ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1) == 1 &&
         X509_gmtime_adj(X509_getm_notBefore(certificate), -kValidSeconds) &&
         X509_gmtime_adj(X509_getm_notAfter(certificate), kValidSeconds) &&
         X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"), -1,
                                    -1, 0) == 1 &&
         X509_set_issuer_name(certificate, name) == 1 && X509_set_pubkey(certificate, key) == 1 &&
         AddExtension(certificate, NID_basic_constraints, "critical,CA:TRUE") &&
         AddExtension(certificate, NID_subject_alt_name, "IP:127.0.0.1") &&
         X509_sign(certificate, key, EVP_sha256()) > 0;
}

}  // namespace

TlsIdentity MakeLoopbackIdentity() {
  Key key(EVP_EC_gen("P-256"), EVP_PKEY_free);
  Certificate certificate(X509_new(), X509_free);
  if (!key || !certificate || !Describe(certificate.get(), key.get())) return {};
  Bio certificateText(BIO_new(BIO_s_mem()), BIO_free);
  Bio keyText(BIO_new(BIO_s_mem()), BIO_free);
  if (!certificateText || !keyText || PEM_write_bio_X509(certificateText.get(), certificate.get()) != 1 ||
      PEM_write_bio_PrivateKey(keyText.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) != 1) {
    return {};
  }
  return {BioText(certificateText.get()), BioText(keyText.get())};
}
