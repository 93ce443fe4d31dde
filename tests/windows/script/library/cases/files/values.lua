-- Loaded by read_file.lua through ReadFile.
loadedBy = "ReadFile"
return "first", 2, nil, "fourth"
