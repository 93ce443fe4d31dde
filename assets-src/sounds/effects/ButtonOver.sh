# A button's roll-over sound: the faintest glassy "tink" of a high E, so
# moving over the menus is felt more than heard.
peak=-15
ring sound.wav E7 0.05
