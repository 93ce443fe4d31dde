-- An error object that is not text reaches the runner as it is.
error({code = 1})
