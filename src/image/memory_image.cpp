#include "image/memory_image.h"

namespace corvane {

void Blank_Program_Image(WorkingState& st) {
  for (int i = 0; i < kBlankedWords; ++i) st.ProgramImage[i] = kBlankWord;
}

void Start_Clean_Image(LoadedImage& image, std::int32_t config_word,
                       std::optional<std::int32_t> config_word2) {
  image.ProgramImage.fill(kBlankWord);
  image.EepromImage.fill(0);
  image.ConfigWord = config_word;
  image.ConfigWord2 = config_word2;
  image.UserIdImage.fill(kNoUserId);
  image.LastProgramAddress = -1;
  image.EepromCount = 0;
}

void Commit_Image(const LoadedImage& image, WorkingState& st) {
  st.ProgramImage = image.ProgramImage;
  st.EepromImage = image.EepromImage;
  st.ConfigWord = image.ConfigWord;
  if (image.ConfigWord2) st.ConfigWord2 = *image.ConfigWord2;
  st.UserIdImage = image.UserIdImage;
  st.LastProgramAddress = image.LastProgramAddress;
  st.EepromCount = image.EepromCount;
}

}  // namespace corvane
