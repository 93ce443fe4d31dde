error("failed while loading")
