<?xml version="1.0" encoding="Shift_JIS"?>
<map><node TEXT="炊飯器"><node TEXT="保温"/></node></map>
