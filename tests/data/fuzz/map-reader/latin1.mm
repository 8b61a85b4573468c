<?xml version="1.0" encoding="ISO-8859-1"?>
<map><node TEXT="Café"><node TEXT="Ölmühle"/></node></map>
