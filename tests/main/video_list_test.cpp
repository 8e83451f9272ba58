#include "main/video_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace framora {
namespace {

using ::testing::ElementsAre;

class FakeList : public VideoListWindow {
 public:
  std::vector<std::pair<std::wstring, std::wstring>> rows;
  std::vector<std::wstring> probed;
  int countUpdates = 0;

  std::vector<std::wstring> ListedVideos() const override {
    std::vector<std::wstring> paths;
    for (const auto& row : rows) paths.push_back(row.first);
    return paths;
  }
  void AppendVideoRow(const std::wstring& path, const std::wstring& seconds) override {
    rows.emplace_back(path, seconds);
  }
  std::wstring VideoKacSaniye(const std::wstring& dosyaadi) override {
    probed.push_back(dosyaadi);
    return dosyaadi.find(L"bad") == std::wstring::npos ? L"12.480000" : L"Invalid data";
  }
  void VideoSayisiDegisti() override { ++countUpdates; }
};

TEST(AddVideo, ProbesAndAppendsNewPathsOnly) {
  FakeList list;
  AddVideo(list, L"C:\\Videos\\a.mp4");
  AddVideo(list, L"C:\\Videos\\bad.mp4");
  AddVideo(list, L"C:\\Videos\\a.mp4");   // listed already: no probe, no count
  AddVideo(list, L"C:\\VIDEOS\\a.mp4");   // another spelling is another row
  EXPECT_THAT(list.probed, ElementsAre(L"C:\\Videos\\a.mp4", L"C:\\Videos\\bad.mp4",
                                       L"C:\\VIDEOS\\a.mp4"));
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(list.rows[1].second, L"Invalid data");
  EXPECT_EQ(list.countUpdates, 3);
}

TEST(VideoCountText, SingularBelowTwo) {
  EXPECT_EQ(VideoCountText(0), L"0 file");
  EXPECT_EQ(VideoCountText(1), L"1 file");
  EXPECT_EQ(VideoCountText(2), L"2 files");
  EXPECT_EQ(VideoCountText(125), L"125 files");
}

TEST(HasVideoExtension, TakesTheNineExtensionsInAnyCase) {
  for (const wchar_t* yes : {L"C:\\v\\CLIP.MP4", L"clip.Mkv", L"a.mpg", L"a.mpeg", L"a.avi",
                             L"a.mov", L"a.wmv", L"a.webm", L"a.f4v", L"C:\\x.y\\b.c.mp4"}) {
    EXPECT_TRUE(HasVideoExtension(yes)) << testing::PrintToString(std::wstring(yes));
  }
  for (const wchar_t* no : {L"clip.mp4.txt", L"clip", L"clip.flv", L"clip.ts", L"C:\\v.mp4\\clip",
                            L"clip.", L".mp4x", L"C:\\dir.mkv\\"}) {
    EXPECT_FALSE(HasVideoExtension(no)) << testing::PrintToString(std::wstring(no));
  }
}

}  // namespace
}  // namespace framora
