nestedran = true
