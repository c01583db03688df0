// The file-system contract against FakeFileSystem, which shows every
// behaviour the contract asks for.

#include "contract/file_system_contract.h"
#include "support/fake_file_system.h"

namespace {

class FakeFileSystemUnderTest : public FileSystemUnderTest {
 public:
  FakeFileSystemUnderTest() {
    m_files.AddDrive('C');
    m_files.AddFolder(Scratch());
    m_files.AddDrive('D');
    m_files.AddFolder(OtherVolume());
  }
  platform::FileSystemPort& Port() override { return m_files; }
  std::string Scratch() const override { return "C:\\Scratch"; }

  void WriteFile(const std::string& path, const std::string& contents) override {
    m_files.AddFile(path, contents);
  }
  std::string ReadFile(const std::string& path) override { return m_files.ReadFile(path); }
  void AddStream(const std::string& file, const std::string& stream) override {
    m_files.AddStream(file, stream);
  }
  bool HasStream(const std::string& file, const std::string& stream) override {
    return m_files.HasStream(file, stream);
  }
  void Lock(const std::string& path) override { m_files.Lock(path); }
  void Unlock(const std::string& path) override { m_files.Unlock(path); }
  void StartProgram(const std::string& path) override {
    m_files.AddFile(path, "MZ");
    m_files.MarkRunning(path);
  }
  std::string OtherVolume() const override { return "D:\\Other"; }

  std::string WhyWithout(FsBehaviour) const override { return ""; }

 private:
  FakeFileSystem m_files;
};

}  // namespace

std::unique_ptr<FileSystemUnderTest> MakeFileSystemUnderTest() {
  return std::make_unique<FakeFileSystemUnderTest>();
}
