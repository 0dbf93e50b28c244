#include <cstdio>

#include "core/GameSettings.h"
#include "puzzle/Dict.h"

int main() {
  GameSettings::Initialize();
  char dictName[256];
  GameSettings::GetStringParam("_DictPath", dictName, sizeof(dictName));
  Dict dict(dictName);
  printf("Quillmere: the word list %s holds %zu words.\n", dictName, dict.WordCount());
  return 0;
}
