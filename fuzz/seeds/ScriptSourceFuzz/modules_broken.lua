return {
