#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "catalogues/AttachmentNames.h"
#include "catalogues/WebPageTitle.h"
#include "storage/Codec.h"

TEST(AttachmentNames, EntityFoldersAndDescriptions) {
  const std::vector<std::pair<std::string, bool>> folders = {
      {"attach\\CAR00001", true}, {"attach\\STP99999\\", true}, {"CON00042", true},
      {"attach\\CAR123456", false},  // six digits: an ordinary folder
      {"attach\\car00001", false},   {"attach\\XYZ00001", false}, {"attach\\CAR0001a", false},
      {"attach\\CAR00001\\foto", false},
  };
  for (const auto& [path, entity] : folders) EXPECT_EQ(IsEntityFolder(path), entity) << path;
  std::string tag;
  int32_t id = 0;
  ASSERT_TRUE(EntityFolderOwner("attach\\MOD00315", tag, id));
  EXPECT_EQ(tag, "MOD");
  EXPECT_EQ(id, 315);

  EXPECT_EQ(DescriptionFileOf("attach\\CAR00001\\foto.jpg", false), "attach\\CAR00001\\foto.jpg.desc.txt");
  EXPECT_EQ(DescriptionFileOf("attach\\CAR00001\\notes.TXT", false), "attach\\CAR00001\\notes.TXT");
  EXPECT_EQ(DescriptionFileOf("attach\\CAR00001\\doklady", true), "attach\\CAR00001\\doklady\\folderdesc.txt");
  for (const char* name : {"folderdesc.txt", "FolderDesc.TXT", "foto.jpg.desc.txt", "x.DESC.txt"})
    EXPECT_TRUE(IsDescriptionFile(name)) << name;
  EXPECT_FALSE(IsDescriptionFile("desc.txt.jpg"));
}

TEST(AttachmentNames, NamesTheUserMayGive) {
  for (const char* bad : {"", "   ", ".", "..", ".skryty", "a/b", "a\\b", "a*", "a?", "a:b", "a|b", "a\"b", "a<b", "a>b",
                          "folderdesc.txt", "foto.jpg.desc.txt"})
    EXPECT_EQ(AttachmentNameError(bad), "Neplatný název!") << bad;
  for (const char* good : {"faktura 2026.pdf", "Technický průkaz", "a.b.c", "x..y"})
    EXPECT_EQ(AttachmentNameError(good), "") << good;
  EXPECT_EQ(RenamedName("photo.jpg", "car.png", true), "car.jpg");
  EXPECT_EQ(RenamedName("photo.jpg", "car.png", false), "car.png");
  EXPECT_EQ(RenamedName("photo.jpg", "car", true), "car.jpg");
}

TEST(AttachmentNames, FileSizes) {
  const std::vector<std::pair<int64_t, std::string>> sizes = {
      {0, "0 B"},           {999, "999 B"},        {1000, "1,0 kB"},       {1229, "1,2 kB"},
      {16000, "16,0 kB"},   {20992, "20 kB"},      {22016, "22 kB"},        {25600, "25 kB"},
      {5 * 1048576, "5,0 MB"}, {3LL << 30, "3,0 GB"}, {2500LL << 30, "2500 GB"},
  };
  for (const auto& [bytes, text] : sizes) EXPECT_EQ(FileSizeText(bytes), text) << bytes;
}

TEST(AttachmentNames, WebLinksAndShellLinks) {
  EXPECT_EQ(WebAddress("www.skoda.cz"), "http://www.skoda.cz");
  EXPECT_EQ(WebAddress("https://x.cz"), "https://x.cz");
  EXPECT_EQ(TitleFromAddress("http://www.auto-dily.cz/katalog/2024?x=1"), "www.auto-dily.cz-katalog------x--");
  EXPECT_EQ(FileTitle("Autoservis: \"Novák\" <dílna>"), "Autoservis# #Novák# #dílna#");
  EXPECT_EQ(FileTitle(std::string(31, 'a') + "čřž"), std::string(31, 'a') + "č...");
  EXPECT_EQ(FileTitle(std::string(32, 'b')), std::string(32, 'b'));
  EXPECT_EQ(WebLinkFileText("http://x.cz/"), "[InternetShortcut]\r\nURL=http://x.cz/\r\n");
  EXPECT_EQ(WebLinkAddress("[InternetShortcut]\r\nurl = http://x.cz/?a=1\r\n"), "http://x.cz/?a=1");

  const std::string target = "/home/u/Dokumenty/faktura č. 1 (100%).pdf";
  const std::string link = ShellLinkFileText(target);
  EXPECT_NE(link.find("Path=/home/u/Dokumenty\n"), std::string::npos);
  EXPECT_EQ(ShellLinkTarget(link), target);
  EXPECT_EQ(ShellLinkTarget("[Desktop Entry]\nURL=http://evil/\n"), "");
}

TEST(WebPageTitle, FoundInThePage) {
  EXPECT_EQ(TitleInPage("<html><head><TiTlE>\r\n  Autoservis\tNovák</title></head>"), "AutoservisNovák");
  EXPECT_EQ(TitleInPage(Utf8ToCp1250("<title>Dílna Černý</title>")), "Dílna Černý");
  EXPECT_EQ(TitleInPage("<title>nedokončený"), "");
  EXPECT_EQ(TitleInPage("no title"), "");
}

namespace {

// Serves one connection on a loopback port with the given answer and keeps
// the request it read.
class TOneShotServer {
 public:
  explicit TOneShotServer(std::string answer) : answer_(std::move(answer)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    ::listen(listener_, 1);
    thread_ = std::thread([this] {
      const int c = ::accept(listener_, nullptr, nullptr);
      if (c < 0) return;
      char buf[4096];
      ssize_t n = ::recv(c, buf, sizeof buf, 0);
      if (n > 0) request_.assign(buf, static_cast<size_t>(n));
      for (size_t done = 0; done < answer_.size();) {
        const ssize_t w = ::send(c, answer_.data() + done, answer_.size() - done, MSG_NOSIGNAL);
        if (w <= 0) break;
        done += static_cast<size_t>(w);
      }
      ::close(c);
    });
  }
  ~TOneShotServer() {
    thread_.join();
    ::close(listener_);
  }
  std::string Address(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  const std::string& Request() {
    thread_.join();
    thread_ = std::thread([] {});
    return request_;
  }

 private:
  std::string answer_, request_;
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace

TEST(WebPageTitle, FetchedWithinItsLimits) {
  {
    TOneShotServer server("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n<html><title>Servis Brno</title>");
    EXPECT_EQ(ProposedWebLinkTitle(server.Address("/ceny?x=1")), "Servis Brno");
    const std::string request = server.Request();
    EXPECT_EQ(request.rfind("GET /ceny?x=1 HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("User-Agent: Opera/9.02 (Windows NT 5.1; U; en)\r\n"), std::string::npos);
    EXPECT_NE(request.find("Accept-Language: cs,en;q=0.9\r\n"), std::string::npos);
  }
  {
    // The title comes after the first 10,240 bytes: not read.
    TOneShotServer server("HTTP/1.1 200 OK\r\n\r\n" + std::string(10240, ' ') + "<title>Pozdě</title>");
    const std::string address = server.Address("/");
    // Digits, ":" and "/" after "://" become "-", the dots stay.
    EXPECT_EQ(ProposedWebLinkTitle(address), "---.-.-.-" + std::string(address.size() - 16, '-'));
  }
  // No server: the title is made from the address.
  EXPECT_EQ(ProposedWebLinkTitle("ftp://soubory.example.cz/2024/"), "soubory.example.cz------");
}
