#include "platform/fakes.h"
#include "tests/platform/file_system_contract.h"

namespace kdw::fscontract {
namespace {

class FakeBackend : public Backend {
 public:
  FileSystem& fs() override { return fs_; }
  std::string Scratch() override { return "C:\\Temp\\KdwScratch"; }
  void MakeFile(const std::string& path, const std::string& contents,
                std::uint32_t attributes) override {
    fs_.AddFile(path, contents, attributes);
  }
  void MakeFolder(const std::string& path) override { fs_.AddFolder(path); }
  std::uint32_t Attributes(const std::string& path) override { return fs_.Attributes(path); }
  void Clean() override { fs_.Remove(Scratch()); }

 private:
  FakeFileSystem fs_;
};

}  // namespace

std::unique_ptr<Backend> MakeBackend() { return std::make_unique<FakeBackend>(); }

}  // namespace kdw::fscontract
