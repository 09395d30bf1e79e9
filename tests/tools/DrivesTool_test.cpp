// The drive table as a user sees it on this machine.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/DriveTree.h"

namespace {

TEST(DrivesTool, ListsTheRootAsDriveCUnderAHeader) {
  std::istringstream table(RunProgram({QUENBREL_DRIVES}));
  std::string header, first;
  std::getline(table, header);
  std::getline(table, first);
  EXPECT_TRUE(header.starts_with("Drive  Kind")) << header;
  EXPECT_TRUE(first.starts_with("C:")) << first;
  EXPECT_TRUE(first.ends_with(" /")) << first;
}

}  // namespace
