// Published test vectors for SHA-256 (FIPS 180-2), HMAC-SHA-256 (RFC 4231)
// and PBKDF2-HMAC-SHA-256 (RFC 7914 and the widely used RFC 6070-style set),
// and the password record, against the build's platform crypto: once with
// the platform's own SHA-256 and once with the bundled one, as a Windows XP
// before SP3 hashes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/password_hash.h"
#include "platform/sha256.h"
#include "tests/platform/crypto_backend.h"

namespace kdw {
namespace {

Bytes B(const std::string& text) { return Bytes(text.begin(), text.end()); }
Bytes Repeat(std::uint8_t byte, std::size_t count) { return Bytes(count, byte); }

class CryptoVectors : public ::testing::TestWithParam<Sha256Source> {
 protected:
  std::string Sha256Hex(const Bytes& data) {
    Sha256Digest digest{};
    EXPECT_TRUE(crypto_->Sha256(data, digest));
    return ToHex(digest.data(), digest.size());
  }
  std::string HmacHex(const Bytes& key, const Bytes& message) {
    Sha256Digest digest{};
    EXPECT_TRUE(HmacSha256(*crypto_, key, message, digest));
    return ToHex(digest.data(), digest.size());
  }
  std::string Pbkdf2Hex(const Bytes& password, const Bytes& salt, std::uint32_t iterations,
                        std::size_t length) {
    Bytes key;
    EXPECT_TRUE(Pbkdf2HmacSha256(*crypto_, password, salt, iterations, length, key));
    EXPECT_EQ(length, key.size());
    return ToHex(key);
  }

  std::unique_ptr<Crypto> crypto_ = testing::MakePlatformCrypto(GetParam());
};

TEST_P(CryptoVectors, Sha256) {
  EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", Sha256Hex({}));
  EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
            Sha256Hex(B("abc")));
  EXPECT_EQ("248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1",
            Sha256Hex(B("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")));
  EXPECT_EQ("cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1",
            Sha256Hex(B("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmno"
                        "ijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu")));
  // Lengths at the padding's edges: 55 bytes fit one block, 56 need two.
  EXPECT_EQ("9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318",
            Sha256Hex(Repeat('a', 55)));
  EXPECT_EQ("b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a",
            Sha256Hex(Repeat('a', 56)));
  EXPECT_EQ("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0",
            Sha256Hex(Repeat('a', 1000000)));
}

TEST_P(CryptoVectors, HmacSha256Rfc4231) {
  Bytes key4;
  for (std::uint8_t i = 1; i <= 25; ++i) key4.push_back(i);
  // Test cases 1 to 7; case 5 compares the first 128 bits only.
  EXPECT_EQ("b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7",
            HmacHex(Repeat(0x0b, 20), B("Hi There")));
  EXPECT_EQ("5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843",
            HmacHex(B("Jefe"), B("what do ya want for nothing?")));
  EXPECT_EQ("773ea91e36800e46854db8ebd09181a72959098b3ef8c122d9635514ced565fe",
            HmacHex(Repeat(0xaa, 20), Repeat(0xdd, 50)));
  EXPECT_EQ("82558a389a443c0ea4cc819899f2083a85f0faa3e578f8077a2e3ff46729665b",
            HmacHex(key4, Repeat(0xcd, 50)));
  EXPECT_EQ("a3b6167473100ee06e0c796c2955552b",
            HmacHex(Repeat(0x0c, 20), B("Test With Truncation")).substr(0, 32));
  EXPECT_EQ(
      "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54",
      HmacHex(Repeat(0xaa, 131), B("Test Using Larger Than Block-Size Key - Hash Key First")));
  EXPECT_EQ("9b09ffa71b942fcb27635fbcd5b0e944bfdc63644f0713938a7f51535c3a35e2",
            HmacHex(Repeat(0xaa, 131),
                    B("This is a test using a larger than block-size key and a larger than "
                      "block-size data. The key needs to be hashed before being used by the "
                      "HMAC algorithm.")));
}

TEST_P(CryptoVectors, Pbkdf2HmacSha256) {
  EXPECT_EQ("120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b",
            Pbkdf2Hex(B("password"), B("salt"), 1, 32));
  EXPECT_EQ("ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43",
            Pbkdf2Hex(B("password"), B("salt"), 2, 32));
  EXPECT_EQ("c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a",
            Pbkdf2Hex(B("password"), B("salt"), 4096, 32));
  // More than one block, and NUL bytes inside password and salt.
  EXPECT_EQ("348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1c635518c7dac47e9",
            Pbkdf2Hex(B("passwordPASSWORDpassword"), B("saltSALTsaltSALTsaltSALTsaltSALTsalt"),
                      4096, 40));
  EXPECT_EQ("89b69d0516f829893c696226650a8687",
            Pbkdf2Hex(B(std::string("pass\0word", 9)), B(std::string("sa\0lt", 5)), 4096, 16));
  // RFC 7914, section 11.
  EXPECT_EQ(
      "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
      "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783",
      Pbkdf2Hex(B("passwd"), B("salt"), 1, 64));
}

TEST_P(CryptoVectors, RandomBytesDifferEachTime) {
  Bytes first, second;
  ASSERT_TRUE(crypto_->RandomBytes(16, first));
  ASSERT_TRUE(crypto_->RandomBytes(16, second));
  EXPECT_EQ(16u, first.size());
  EXPECT_NE(first, second);
  Bytes none;
  EXPECT_TRUE(crypto_->RandomBytes(0, none));
  EXPECT_TRUE(none.empty());
}

// Records made elsewhere (with a fixed salt) are accepted on this platform.
TEST_P(CryptoVectors, KnownPasswordRecordsMatch) {
  const std::string record =
      "pbkdf2-sha256$10000$000102030405060708090a0b0c0d0e0f$"
      "671eade3546f4056725a0b3d8a8e72a48e80c9f9a96167cb87217de8d1bbe268";
  EXPECT_TRUE(PasswordMatches(*crypto_, record, "Secret Word"));
  EXPECT_FALSE(PasswordMatches(*crypto_, record, "secret word"));
  EXPECT_FALSE(PasswordMatches(*crypto_, record, "Secret Word "));
  EXPECT_FALSE(PasswordMatches(*crypto_, record, ""));
  // A password in the ANSI code page (1252: "Kennwort" with a-umlaut),
  // with the hex in upper case.
  EXPECT_TRUE(PasswordMatches(*crypto_,
                              "pbkdf2-sha256$10000$A1B2C3D4E5F60718293A4B5C6D7E8F90$"
                              "6114583A068E07E91CE4A345A45C487A41C321E479EAA94AE1F946A9BB6E8B83",
                              "Kennwort\xe4"));
}

TEST_P(CryptoVectors, NewRecordsAreSaltedAndMatchOnlyTheirPassword) {
  const auto first = MakePasswordRecord(*crypto_, "Open Sesame");
  const auto second = MakePasswordRecord(*crypto_, "Open Sesame");
  ASSERT_TRUE(first && second);
  EXPECT_EQ(0u, first->rfind("pbkdf2-sha256$10000$", 0)) << *first;
  EXPECT_EQ(std::string("pbkdf2-sha256$10000$").size() + 32 + 1 + 64, first->size());
  EXPECT_TRUE(IsHashedRecord(*first));
  EXPECT_NE(*first, *second);  // a fresh salt each time
  EXPECT_TRUE(PasswordMatches(*crypto_, *first, "Open Sesame"));
  EXPECT_TRUE(PasswordMatches(*crypto_, *second, "Open Sesame"));
  EXPECT_FALSE(PasswordMatches(*crypto_, *first, "open sesame"));
  EXPECT_FALSE(PasswordMatches(*crypto_, *first, *first));
}

INSTANTIATE_TEST_SUITE_P(EitherHash, CryptoVectors,
                         ::testing::Values(Sha256Source::kPlatformWhenPresent,
                                           Sha256Source::kBundled),
                         [](const auto& info) {
                           return info.param == Sha256Source::kBundled ? "Bundled" : "Platform";
                         });

// The bundled SHA-256 against the platform's own (OpenSSL natively, CryptoAPI
// under Wine) over random messages of random lengths, hashed whole and fed in
// random pieces, which walks every path through the block buffer.
TEST(BundledSha256, AgreesWithThePlatformsOwn) {
  const auto platform = testing::MakePlatformCrypto(Sha256Source::kPlatformWhenPresent);
  std::mt19937 random(20261209);
  std::uniform_int_distribution<std::size_t> length(0, 10000);
  std::uniform_int_distribution<int> byte(0, 255);
  int differ = 0;
  for (int message = 0; message < 10000 && differ < 5; ++message) {
    Bytes data(length(random));
    for (auto& b : data) b = static_cast<std::uint8_t>(byte(random));
    Sha256Digest expected{};
    ASSERT_TRUE(platform->Sha256(data, expected));
    Sha256Hasher pieces;
    for (std::size_t at = 0; at < data.size();) {
      const std::size_t take = std::min(data.size() - at, length(random) % 150);
      pieces.Update(data.data() + at, take);
      at += take;
    }
    const bool whole_ok = BundledSha256(data.data(), data.size()) == expected;
    const bool pieces_ok = pieces.Finish() == expected;
    if (!whole_ok || !pieces_ok) {
      ++differ;
      ADD_FAILURE() << "message " << message << " of " << data.size() << " bytes: whole "
                    << whole_ok << ", in pieces " << pieces_ok;
    }
  }
}

}  // namespace
}  // namespace kdw
