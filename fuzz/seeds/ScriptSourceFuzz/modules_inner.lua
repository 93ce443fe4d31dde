return {name = _REQUIREDNAME}
