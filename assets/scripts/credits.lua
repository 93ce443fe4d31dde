-- The credits, opened with DoModal from the options dialog: who made the
-- game and with what, on black, fading in, with the
-- program's version at the foot. Closes with "back".
local kCreditFont = { "fonts/default.mvec", 22, Color(255, 241, 184) }

MakeDialog{
  Bitmap{ name = "creditsBackground", image = "backgrounds/black-1", scale = 12.5, x = 0, y = 0 },
  CreditWindow{ name = "creditsWindow", x = 0, y = 0, w = 800, h = 600,
    Text{ name = "creditsHeading", label = "CreditsHeading", font = kHeadingFont, x = 0, y = 40, w = 800, h = 70 },
    Text{ name = "creditsMadeBy", label = "CreditsMadeBy", font = kCreditFont, x = 100, y = 130, w = 600, h = 90 },
    Text{ name = "creditsFonts", label = "CreditsFonts", font = kCreditFont, x = 100, y = 230, w = 600, h = 90 },
    Text{ name = "creditsTools", label = "CreditsTools", font = kCreditFont, x = 100, y = 330, w = 600, h = 120 },
    Text{ name = "VersionNumber", label = "#", font = kCreditFont, x = 300, y = 548, w = 200, h = 30 },
  },
  Button{ name = "creditsBackButton", label = "CreditsBack", x = 290, y = 470, w = 220, h = 56,
          command = function() CloseWindow("back") end },
}
