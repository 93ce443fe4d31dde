Print("building plain")
