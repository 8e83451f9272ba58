// The video list in the real window: drops, the "Add Files" dialog, the list's pop-up menu,
// and a conversion started from the window with the real tools.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_form_test_fixture.h"

namespace framora::test {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Pair;
using testing::StartsWith;

using VideoList = AppFormTest;

TEST_F(VideoList, DropsTakeTheNineVideoExtensionsOnly) {
  const std::wstring upper = VideoAs(L"clip.mp4", L"CLIP.MP4");
  const std::wstring mixed = VideoAs(L"short.mkv", L"clip.Mkv");
  const std::wstring damaged = VideoAs(L"damaged.mp4", L"damaged.mp4");
  std::vector<std::wstring> others;
  for (const wchar_t* name : {L"clip.mp4.txt", L"clip", L"clip.flv", L"clip.ts"}) {
    others.push_back(VideoAs(L"clip.mp4", name));
  }
  // A folder is skipped, even one named like a video that holds a video.
  const std::wstring folder = Videos() + L"\\Holiday.mp4";
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  VideoAs(L"clip.mp4", L"Holiday.mp4\\clip.mp4");

  Drop({others[0], folder, upper, others[1], others[2], mixed, others[3], damaged});

  const auto rows = Listed();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_THAT(rows[0], Pair(upper, L"12.480000"));
  EXPECT_THAT(rows[1], Pair(mixed, L"3.000000"));
  // A file the probe cannot read is listed with the tool's own words.
  EXPECT_EQ(rows[2].first, damaged);
  EXPECT_THAT(rows[2].second, HasSubstr(L"Invalid data"));
  EXPECT_EQ(StatusText(), L"3 files");
  EXPECT_TRUE(services.messageBoxes.empty());
}

TEST_F(VideoList, DuplicatesChangeNothingAndOrderIsKept) {
  const std::vector<std::wstring> v = {
      VideoAs(L"clip.mp4", L"a.mp4"), VideoAs(L"short.mkv", L"b.mkv"),
      VideoAs(L"clip.mp4", L"c.mp4"), VideoAs(L"short.mkv", L"d.mkv"),
      VideoAs(L"clip.mp4", L"e.mp4")};
  Command(CM_DELETEALL1);
  EXPECT_EQ(StatusText(), L"0 file");
  Drop({v[0]});
  EXPECT_EQ(StatusText(), L"1 file");

  // A listed path runs no probe (which would clear the log) and leaves the count alone.
  form->Log().Append(L"log before");
  const std::wstring log = form->Memo1().Text();
  form->SetStatusText(L"status before");
  Drop({v[0]});
  EXPECT_THAT(RowPaths(), ElementsAre(v[0]));
  EXPECT_EQ(form->Memo1().Text(), log);
  EXPECT_EQ(StatusText(), L"status before");

  // Five dropped, the third listed already: four rows more, in the drop's order.
  Drop({v[1], v[2], v[0], v[3], v[4]});
  EXPECT_THAT(RowPaths(), ElementsAre(v[0], v[1], v[2], v[3], v[4]));
  EXPECT_EQ(StatusText(), L"5 files");

  // The same file spelt in other letters is another row.
  const std::wstring shouted = Videos() + L"\\A.MP4";
  Drop({shouted});
  EXPECT_EQ(RowPaths().back(), shouted);
  EXPECT_EQ(Rows().back().Seconds, L"12.480000");
  EXPECT_EQ(StatusText(), L"6 files");
}

TEST_F(VideoList, ADroppedPathLongerThan255CharactersIsTakenWhole) {
  std::wstring folder = Videos();
  while (folder.size() < 200) {
    folder += L"\\a folder with a rather long name to make the path long";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  }
  ASSERT_LT(folder.size(), 240u);
  // 258 characters: cut to 255 the name would end in ".m" and not count as a video.
  const std::wstring path =
      folder + L"\\" + std::wstring(258 - folder.size() - 1 - 4, L'v') + L".mp4";
  ASSERT_EQ(path.size(), 258u);
  ASSERT_TRUE(LinkOrCopy(Media(L"clip.mp4"), path));

  Drop({path});
  EXPECT_THAT(Listed(), ElementsAre(Pair(path, L"12.480000")));
}

TEST_F(VideoList, AddFilesFromTheToolbarAndTheMenu) {
  const std::wstring flv = VideoAs(L"clip.mp4", L"clip.flv");
  const std::wstring mkv = VideoAs(L"short.mkv", L"short.mkv");

  // Through "All Files" any file is taken, and probed.
  services.chosenFiles = std::vector<std::wstring>{flv};
  ClickToolButton(TB_TOOLBUTTON3);
  EXPECT_THAT(Listed(), ElementsAre(Pair(flv, L"12.480000")));
  EXPECT_EQ(StatusText(), L"1 file");

  services.chosenFiles = std::vector<std::wstring>{mkv, flv};
  Command(CM_ADDFILE1);
  EXPECT_THAT(RowPaths(), ElementsAre(flv, mkv));

  services.chosenFiles.reset();  // cancelled
  Command(CM_ADDFILE1);
  EXPECT_THAT(RowPaths(), ElementsAre(flv, mkv));

  ASSERT_EQ(services.fileChoices.size(), 3u);
  for (const auto& choice : services.fileChoices) {
    EXPECT_EQ(choice.filter,
              L"Video Files|*.mp4;*.mpg;*.mpeg;*.avi;*.mov;*.mkv;*.wmv;*.webm;*.f4v|"
              L"All Files|*.*");
    EXPECT_EQ(choice.defaultExtension, L"mp4");
  }
}

TEST_F(VideoList, PopupMenuActsOnTheSelectedRows) {
  const std::wstring a = VideoAs(L"clip.mp4", L"a.mp4");
  const std::wstring b = VideoAs(L"short.mkv", L"b.mkv");
  const std::wstring c = VideoAs(L"clip.mp4", L"c.mp4");
  Drop({a, b, c});
  ASSERT_TRUE(::DeleteFileW(b.c_str()));  // the second's file is gone from the disk
  SelectRows({0, 1, 2});

  Command(CM_OPENFOLDERLOCATION1);
  ASSERT_EQ(services.shellActions.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const auto& action = services.shellActions[i];
    EXPECT_EQ(action.verb, L"OPEN");
    EXPECT_EQ(action.file, L"explorer.exe");
    EXPECT_EQ(action.parameters, L"/select, \"" + (i == 0 ? a : c) + L"\"");
    EXPECT_EQ(action.show, SW_SHOWNORMAL);
    EXPECT_EQ(action.owner, Handle());
  }
  EXPECT_EQ(services.beeps, 1);

  Command(CM_PROPERTIES1);
  EXPECT_THAT(services.propertySheets, ElementsAre(a, c));
  EXPECT_EQ(services.beeps, 2);

  // "Delete Selected" with nothing selected keeps the rows and refreshes the count.
  SelectRows({});
  form->SetStatusText(L"status before");
  Command(CM_DELETE1);
  EXPECT_THAT(RowPaths(), ElementsAre(a, b, c));
  EXPECT_EQ(StatusText(), L"3 files");

  SelectRows({0, 2});
  Command(CM_DELETE1);
  EXPECT_THAT(RowPaths(), ElementsAre(b));
  EXPECT_EQ(StatusText(), L"1 file");

  Command(CM_DELETEALL1);
  EXPECT_THAT(Rows(), IsEmpty());
  EXPECT_EQ(StatusText(), L"0 file");
  // Nothing is selected on an empty list: the items act on nothing.
  Command(CM_OPENFOLDERLOCATION1);
  Command(CM_PROPERTIES1);
  EXPECT_EQ(services.shellActions.size(), 2u);
  EXPECT_EQ(services.beeps, 2);
}

// ---------------------------------------------------------------------------------------
// "Convert"

using ConvertButton = AppFormTest;

TEST_F(ConvertButton, TurnsTheListedVideoIntoImages) {
  const std::wstring destination = program / L"stills";
  Drop({Media(L"short.mkv")});
  Retype(IDC_EDIT1, destination);
  ASSERT_EQ(Stored(L"Destination"), destination);

  Click(IDC_BUTTON1);

  ASSERT_EQ(services.messageBoxes.size(), 1u);
  const auto& report = services.messageBoxes[0];
  EXPECT_EQ(report.text, L"Process completed!\r\rDirectory: " + destination + L"\\");
  EXPECT_EQ(report.caption, L"SUCCESS");
  EXPECT_EQ(report.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_TRUE(FileExists(destination + L"\\Video1-Frame1.jpg"));
  EXPECT_TRUE(FileExists(destination + L"\\Video1-Frame2.jpg"));
  EXPECT_EQ(StatusText(), L"1 file");
  EXPECT_TRUE(::IsWindowEnabled(Control(IDC_BUTTON1)));
  EXPECT_THAT(form->Memo1().Text(), StartsWith(L"ffmpeg.exe "));
}

TEST_F(ConvertButton, AnEmptyListOnlyWarns) {
  form->SetStatusText(L"status before");
  Click(IDC_BUTTON1);
  ASSERT_EQ(services.messageBoxes.size(), 1u);
  EXPECT_EQ(services.messageBoxes[0].text, L"Please add source files!");
  EXPECT_EQ(services.messageBoxes[0].caption, L"WARNING");
  EXPECT_EQ(services.messageBoxes[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
  EXPECT_EQ(StatusText(), L"status before");
  EXPECT_FALSE(DirectoryExists(Text(IDC_EDIT1)));
}

}  // namespace
}  // namespace framora::test
