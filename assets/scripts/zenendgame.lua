-- Reached through "SwapToModal('scripts/zenendgame.lua')", which the play
-- window runs after Zen level 5 and after Journey level 2-2, so it takes
-- the place of the play screen: after Zen level 5 Zen is finished; after
-- 2-2 Zen is open now (and 2-3, as after any level). Its button leads to
-- the level map.
local zenFinished = gPlayLevel.world == kZenWorld
if zenFinished then
  gJourney.zenFinished = true
else
  gJourney.zenOpen = true
  OpenNextLevel()
end

-- The heading and the button fade in over the background, in its panel.
MakeDialog{
  Bitmap{ name = "zenEndBackground", image = "backgrounds/title", x = 0, y = 0 },
  FadeInWindow{ name = "zenEndFade", x = 0, y = 0, w = 800, h = 600,
    Text{ name = "zenEndHeading", label = zenFinished and "ZenEndFinished" or "ZenEndOpen", font = kHeadingFont,
          x = 510, y = 230, w = 240, h = 130 },
    Button{ name = "continueButton", label = "EndContinue", x = 520, y = 400, w = 220, h = 56,
            command = function() SwapToModal("scripts/levelmap.lua") end },
  },
}
