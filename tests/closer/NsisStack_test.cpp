// The plug-in's parameter handling: popping the installer's string stack and
// the name of the message a product's main window answers. Run for both
// text widths, since the classic and the Unicode plug-in share this code.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "closer/NsisStack.h"

using namespace corvane;

namespace {

template <class Char>
std::basic_string<Char> Ascii(const std::string& text) {
  return std::basic_string<Char>(text.begin(), text.end());
}

// Items as the installer makes them: the next pointer, then stringSize
// characters. Allocated with malloc and counted when freed.
std::vector<void*> g_freed;
void RecordFree(void* item) {
  g_freed.push_back(item);
  std::free(item);
}

template <class Char>
TNsisStackItem<Char>* MakeItem(const std::basic_string<Char>& text, int stringSize, TNsisStackItem<Char>* next,
                               bool terminate = true) {
  const std::size_t bytes = sizeof(TNsisStackItem<Char>*) + sizeof(Char) * stringSize;
  auto* item = static_cast<TNsisStackItem<Char>*>(std::calloc(1, bytes));
  if (!item) throw std::bad_alloc();
  item->next = next;
  const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(stringSize));
  std::memcpy(item->text, text.data(), count * sizeof(Char));
  if (terminate && count < static_cast<std::size_t>(stringSize)) item->text[count] = Char(0);
  return item;
}

template <class Char>
class NsisStackTest : public ::testing::Test {
 protected:
  void SetUp() override { g_freed.clear(); }
  void TearDown() override {
    while (m_top) {
      auto* next = m_top->next;
      std::free(m_top);
      m_top = next;
    }
  }
  void Push(const std::string& text, int stringSize = 1024) {
    m_top = MakeItem<Char>(Ascii<Char>(text), stringSize, m_top);
  }
  bool Pop(int stringSize = 1024) {
    // A guard zone after the buffer shows any write past its end.
    struct {
      Char buffer[kParameterBufferSize];
      Char guard[16];
    } area;
    for (auto& c : area.guard) c = Char('#');
    for (auto& c : area.buffer) c = Char('?');
    const bool popped = PopParameter<Char>(&m_top, stringSize, &RecordFree, area.buffer);
    for (auto c : area.guard) EXPECT_EQ(c, Char('#')) << "written past the parameter buffer";
    m_popped.assign(area.buffer);
    return popped;
  }

  TNsisStackItem<Char>* m_top = nullptr;
  std::basic_string<Char> m_popped;
};

using CharTypes = ::testing::Types<char, wchar_t>;
TYPED_TEST_SUITE(NsisStackTest, CharTypes);

TYPED_TEST(NsisStackTest, PopsTheTopTextMakesTheNextItemTheTopAndFreesThePoppedItem) {
  this->Push("below");
  auto* below = this->m_top;
  this->Push("Join");
  auto* top = this->m_top;

  EXPECT_TRUE(this->Pop());
  EXPECT_EQ(this->m_popped, Ascii<TypeParam>("Join"));
  EXPECT_EQ(this->m_top, below);
  ASSERT_EQ(g_freed.size(), 1u);
  EXPECT_EQ(g_freed[0], static_cast<void*>(top));

  EXPECT_TRUE(this->Pop());
  EXPECT_EQ(this->m_popped, Ascii<TypeParam>("below"));
  EXPECT_EQ(this->m_top, nullptr);
  EXPECT_EQ(g_freed.size(), 2u);
}

TYPED_TEST(NsisStackTest, EmptyStackGivesAnEmptyParameterAndFreesNothing) {
  EXPECT_FALSE(this->Pop());
  EXPECT_TRUE(this->m_popped.empty());
  EXPECT_TRUE(g_freed.empty());

  TypeParam buffer[kParameterBufferSize];
  buffer[0] = TypeParam('x');
  EXPECT_FALSE(PopParameter<TypeParam>(nullptr, 1024, &RecordFree, buffer));
  EXPECT_EQ(buffer[0], TypeParam(0));
  EXPECT_TRUE(g_freed.empty());
}

TYPED_TEST(NsisStackTest, EmptyTextIsPoppedAsAnEmptyParameter) {
  this->Push("");
  EXPECT_TRUE(this->Pop());
  EXPECT_TRUE(this->m_popped.empty());
  EXPECT_EQ(this->m_top, nullptr);
  EXPECT_EQ(g_freed.size(), 1u);
}

// Lengths around the buffer's capacity of 259 characters.
TYPED_TEST(NsisStackTest, LongTextIsCutToTheBufferNotOverflowed) {
  const struct {
    std::size_t length;
    std::size_t kept;
  } cases[] = {{258, 258}, {259, 259}, {260, 259}, {300, 259}, {1023, 259}};
  for (const auto& c : cases) {
    std::string text;
    for (std::size_t i = 0; i < c.length; ++i) text += static_cast<char>('a' + i % 26);
    this->Push(text);
    EXPECT_TRUE(this->Pop()) << c.length;
    EXPECT_EQ(this->m_popped, Ascii<TypeParam>(text.substr(0, c.kept))) << c.length;
  }
  EXPECT_EQ(g_freed.size(), std::size(cases));
}

// An item filled to its last character has no terminator: the copy must
// stop at the item's end, not run on into the next allocation.
TYPED_TEST(NsisStackTest, UnterminatedItemIsReadOnlyToTheInstallersStringSize) {
  this->m_top = MakeItem<TypeParam>(Ascii<TypeParam>("JoinJoinJoin"), /*stringSize=*/8, nullptr,
                                    /*terminate=*/false);
  EXPECT_TRUE(this->Pop(/*stringSize=*/8));
  EXPECT_EQ(this->m_popped, Ascii<TypeParam>("JoinJoin"));
}

TYPED_TEST(NsisStackTest, MessageNameWrapsTheProductWord) {
  const struct {
    const char* product;
    const char* name;
  } cases[] = {
      {"Join", "UWM_JoinDownload_IsMe"},
      {"", "UWM_Download_IsMe"},
      {"Convert", "UWM_ConvertDownload_IsMe"},
  };
  for (const auto& c : cases) {
    const auto product = Ascii<TypeParam>(c.product);
    EXPECT_EQ(CloseMessageName<TypeParam>(product.c_str()), Ascii<TypeParam>(c.name)) << c.product;
  }
  EXPECT_EQ(CloseMessageName<TypeParam>(nullptr), Ascii<TypeParam>("UWM_Download_IsMe"));
}

}  // namespace
