// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MenuOptions.h"

#include <string>

#include "core/Game.h"
#include "core/GameSettings.h"
#include "platform/GameSound.h"
#include "platform/Localize.h"
#include "scene/Universe.h"

namespace {

std::string MusicVolumeText(float volume) {
  if (volume == 0.0f) return Localize("OFF");
  if (volume < 0.5f) return Localize("SOFT");
  if (volume < 1.0f) return Localize("MEDIUM");
  return Localize("LOUD");
}

}  // namespace

MenuOptions::MenuOptions() : Menu(0, 0, 6, "Helvetica", 20) {
  for (int i = 0; i < 4; ++i) SetStringForItem(i);
  SetItemLocalized(5, "Back to Table of Contents");
}

void MenuOptions::SetStringForItem(int item) {
  std::string text;
  switch (item) {
    case 0:
      // The board crosses out freeform for any value but 0, so the page says so too.
      text = Localize("Word Selection: ") + (GameSettings::GetIntParam("FreeformWordCrossOut") != 0
                                                 ? Localize("FREEFORM")
                                                 : Localize("STRAIGHT LINE"));
      break;
    case 1:
      text = Localize("Transitions:  ") + (GameSettings::GetFloatParam("TransitionSpeed") == 1.0f
                                               ? Localize("NORMAL")
                                               : Localize("FAST"));
      break;
    case 2:
      text =
          Localize("Sound Volume:  ") +
          (GameSettings::GetFloatParam("SoundVolume") == 0.0f ? Localize("OFF") : Localize("ON"));
      break;
    case 3:
      text =
          Localize("Music Volume:  ") + MusicVolumeText(GameSettings::GetFloatParam("MusicVolume"));
      break;
    default:
      return;
  }
  SetItem(item, text.c_str());
}

void MenuOptions::RotateSetting(int item) {
  switch (item) {
    case 0:
      GameSettings::SetIntParam("FreeformWordCrossOut",
                                GameSettings::GetIntParam("FreeformWordCrossOut") != 0 ? 0 : 1);
      break;
    case 1:
      GameSettings::SetFloatParam(
          "TransitionSpeed", GameSettings::GetFloatParam("TransitionSpeed") == 1.0f ? 2.0f : 1.0f);
      break;
    case 2:
      // Effects follow the switch at once; the click of this very item already obeys it.
      if (GameSettings::GetFloatParam("SoundVolume") == 0.0f) {
        GameSound::SetVolume(true);
        GameSettings::SetFloatParam("SoundVolume", 1.0f);
      } else {
        GameSound::SetVolume(false);
        GameSettings::SetFloatParam("SoundVolume", 0.0f);
      }
      break;
    case 3: {
      // The music takes the new volume when the board next starts it.
      float volume = GameSettings::GetFloatParam("MusicVolume");
      float next;
      if (volume == 0.0f)
        next = 0.2f;
      else if (volume < 0.5f)
        next = 0.5f;
      else if (volume < 1.0f)
        next = 1.0f;
      else
        next = 0.0f;
      GameSettings::SetFloatParam("MusicVolume", next);
      break;
    }
    default:
      return;
  }
  SetStringForItem(item);
}

bool MenuOptions::MouseUp(int item) {
  if (item >= 0 && item <= 3) {
    RotateSetting(item);
    return true;
  }
  if (item != 5) return false;
  Universe* book = Game::pGame ? Game::pGame->GetUniverse() : nullptr;
  if (!book) return false;
  book->TurnToPage(Universe::kPageTitle);
  return true;
}

void MenuOptions::Reposition(int width, int height) {
  PlaceAt(width, height, 174, 174);
}
